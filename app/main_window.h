#pragma once

#include "app/operator_line.h"
#include "presentation/focus_scroll_bar.h"
#include "presentation/format_state.h"
#include "presentation/view_state.h"

#include <QWidget>

#include <array>
#include <memory>
#include <optional>

class QAction;
class QLabel;
class QMenu;
class QMenuBar;
namespace MainWindowLayout {
struct Box;
}
class QPushButton;
class QTimer;
class ResultsPicture;

// The program's one main window: the results view with its scroll bar, the
// link status label, the button row and the poll timer. It only lays out and
// says what the operator asked for; the application decides what each
// request does.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    // The buttons along the bottom. Their object names are the controls'
    // names: "Reset", "Normal", "MilitaryT", "SortTime", "SortBib",
    // "SortSeq", "Command1", "WriteFile", "Exit".
    enum class Button { GetMemory, Time, DayTime, SortTime, SortBib, SortSeq, Print, WriteFile, Exit };
    static constexpr int ButtonCount = 9;

    // The kept lists, reached by keys and by the operator line's menu; no
    // control of the window moves for them.
    enum class ListAction { BringBack, KeptLists, Undo, Redo };
    static constexpr int ListActionCount = 4;
    enum class HelpAction { Keys, About };
    // The results, in a window of their own.
    enum class ResultsAction { Show, Import };

    explicit MainWindow(QWidget* parent = nullptr);

    ResultsPicture& picture() const { return *picture_; }
    FocusScrollBar& scrollBar() const { return *scroll_; }
    // The scroll bar as the range the framing and the view move.
    ScrollBarRange& scrollRange() { return *scrollRange_; }
    QLabel& statusLabel() const { return *messUsb_; }
    // News for the operator: how a download goes, where the list was written.
    OperatorLine& operatorLine() const { return *operatorLine_; }
    QTimer& pollTimer() const { return *timer_; }
    QPushButton& button(Button which) const { return *buttons_[static_cast<std::size_t>(which)]; }
    QAction& listAction(ListAction which) const { return *listActions_[static_cast<std::size_t>(which)]; }
    // The menu bar over the described window: every button's action and the
    // list actions, in the platform's order, each with its key beside it.
    QMenuBar& menuBar() const { return *menuBar_; }
    // The menu item that does what the button does.
    QAction& buttonAction(Button which) const { return *buttonActions_[static_cast<std::size_t>(which)]; }
    // The keys of an item as the platform writes them, for a text that names them.
    QString keysOf(ListAction which) const;
    QString keysOf(Button which) const;
    QString keysOf(ResultsAction which) const;

    // What undo and redo would do now, in their items' texts; none greys the item.
    struct MarkStep {
        int record = 0;
        int bib = 0;
    };
    void showMarkSteps(const std::optional<MarkStep>& undo, const std::optional<MarkStep>& redo);
    // While the lists are not being kept, the menu bar says so, whatever
    // news comes meanwhile; `why` is its tooltip. Empty: kept again.
    void showNotKeptNotice(const QString& why);
    // The notice, shown while the lists are not kept.
    QLabel& notKeptNotice() const { return *notKept_; }

    // Shows the window in the centre of the screen, the focus on "Exit".
    void showCentred();
    bool painted() const { return painted_; }

signals:
    void getMemoryRequested();
    void timeDisplayRequested(TimeDisplay timeDisplayMode);
    void sortRequested(SortChoice sortRequest);
    void printRequested();
    void writeFileRequested();
    void exitRequested();
    void listActionRequested(ListAction action);
    void helpRequested(HelpAction action);
    void resultsRequested(ResultsAction action);
    // The window is being closed by its close control.
    void closing();
    // The window has been drawn on the screen once.
    void firstPainted();

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void emitRequest(Button which);
    // A box of the layout, in this window's pixels.
    QRect At(const MainWindowLayout::Box& box) const;
    void fitButtonFont();
    void addListActions();
    void addMenus();
    QAction* addButtonItem(QMenu& menu, Button which);

    std::array<QPushButton*, ButtonCount> buttons_{};
    std::array<QAction*, ListActionCount> listActions_{};
    std::array<QAction*, ButtonCount> buttonActions_{};
    std::array<QAction*, 2> resultsActions_{};
    QMenuBar* menuBar_ = nullptr;
    // The window's described layout stands below the menu bar.
    int menuHeight_ = 0;
    ResultsPicture* picture_ = nullptr;
    FocusScrollBar* scroll_ = nullptr;
    std::unique_ptr<ScrollBarRange> scrollRange_;
    QLabel* messUsb_ = nullptr;
    QLabel* notKept_ = nullptr;
    OperatorLine* operatorLine_ = nullptr;
    QTimer* timer_ = nullptr;
    bool painted_ = false;
};
