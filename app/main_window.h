#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QTimer;
class ResultsPicture;
class FocusScrollBar;

// The program's one main window: the results view with its scroll bar, the
// link status label, the button row and the poll timer. It only lays out
// and forwards; the application decides what each event does.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);

    ResultsPicture& picture() const { return *picture_; }
    FocusScrollBar& scrollBar() const { return *scroll_; }
    QLabel& statusLabel() const { return *messUsb_; }
    QTimer& pollTimer() const { return *timer_; }
    QPushButton* button(const char* name) const;

    // Shows the window in the centre of the screen, the focus on "Exit".
    void showCentred();

signals:
    void closing();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    ResultsPicture* picture_ = nullptr;
    FocusScrollBar* scroll_ = nullptr;
    QLabel* messUsb_ = nullptr;
    QTimer* timer_ = nullptr;
};
