#include "main_window.h"

#include "focus_scroll_bar.h"
#include "results_picture.h"
#include "twips.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace {

struct ButtonSpec {
    const char* name;
    const char* caption;
    int left, top, width, height;
};

// In the order of creation; the tab order is set separately.
constexpr ButtonSpec Buttons[] = {
    {"SortSeq", "Sort Seq #", 5640, 8400, 975, 375},
    {"SortBib", "Sort Bib #", 4560, 8400, 975, 375},
    {"SortTime", "Sort Time", 3480, 8400, 975, 375},
    {"Command1", "Print", 6720, 8400, 975, 375},
    {"Normal", "Time", 1320, 8400, 855, 375},
    {"MilitaryT", "Day Time", 2280, 8400, 1095, 375},
    {"Reset", "Get Memory", 120, 8400, 1095, 375},
    {"WriteFile", "Write File", 7800, 8400, 1095, 375},
    {"Exit", "Exit", 9000, 8400, 975, 375},
};

} // namespace

MainWindow::MainWindow(QWidget* parent) : QWidget(parent)
{
    setObjectName("Form1");
    setWindowTitle("Trivex Timing Interface Window");
    setFixedSize(TwipsToPixelsX(*this, 10155), TwipsToPixelsY(*this, 9030));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(192, 255, 255));
    setPalette(pal);
    setAutoFillBackground(true);

    for (const ButtonSpec& b : Buttons) {
        auto* button = new QPushButton(QString::fromLatin1(b.caption), this);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setGeometry(TwipsRect(*this, b.left, b.top, b.width, b.height));
        button->setAutoDefault(false);
        button->setDefault(false);
    }

    scroll_ = new FocusScrollBar(this);
    scroll_->setObjectName("VScroll1");
    scroll_->setGeometry(TwipsRect(*this, 9600, 240, 375, 7335));

    picture_ = new ResultsPicture(this);
    picture_->setObjectName("Picture1");
    picture_->setGeometry(TwipsRect(*this, 120, 240, 9375, 7335));
    picture_->chooseFont();

    timer_ = new QTimer(this);
    timer_->setObjectName("Timer1");
    timer_->setInterval(50);

    messUsb_ = new QLabel(this);
    messUsb_->setObjectName("MessUSB");
    messUsb_->setGeometry(TwipsRect(*this, 120, 7800, 9855, 375));

    QWidget* const order[] = {button("Exit"), picture_, button("WriteFile"), scroll_, button("Reset"),
                              button("MilitaryT"), button("Normal"), button("Command1"), button("SortTime"),
                              button("SortBib"), button("SortSeq")};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
}

QPushButton* MainWindow::button(const char* name) const
{
    return findChild<QPushButton*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

void MainWindow::showCentred()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    show();
    button("Exit")->setFocus(Qt::OtherFocusReason);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    emit closing();
    event->accept(); // never refused
}
