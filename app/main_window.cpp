#include "app/main_window.h"

#include "app/application_icon.h"
#include "app/alt_key_button.h"
#include "app/operator_line.h"
#include "presentation/application_title.h"
#include "presentation/focus_mark_style.h"
#include "presentation/focus_scroll_bar.h"
#include "presentation/format_state.h"
#include "presentation/results_picture.h"
#include "presentation/screen_centre.h"
#include "presentation/twips.h"
#include "presentation/view_state.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPainter>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTimer>

#include <algorithm>
#include <vector>

namespace {

struct ButtonSpec {
    MainWindow::Button which;
    const char* name;
    const char* caption;
    int left, top, width, height;
    // Reached from the keyboard with Alt and this key; the captions stay as they are.
    const char* key;
    const char* purpose;
};

// In the order of creation; the tab order is set separately.
constexpr ButtonSpec Buttons[] = {
    {MainWindow::Button::SortSeq, "SortSeq", "Sort Seq #", 5640, 8400, 975, 375, "3",
     "Order the page by sequence number"},
    {MainWindow::Button::SortBib, "SortBib", "Sort Bib #", 4560, 8400, 975, 375, "2", "Order the page by bib number"},
    {MainWindow::Button::SortTime, "SortTime", "Sort Time", 3480, 8400, 975, 375, "1",
     "Order the page by elapsed time"},
    {MainWindow::Button::Print, "Command1", "Print", 6720, 8400, 975, 375, "P",
     "Print the list on the default printer"},
    {MainWindow::Button::Time, "Normal", "Time", 1320, 8400, 855, 375, "T", "Show the times in seconds"},
    {MainWindow::Button::DayTime, "MilitaryT", "Day Time", 2280, 8400, 1095, 375, "D",
     "Show the times as times of day"},
    {MainWindow::Button::GetMemory, "Reset", "Get Memory", 120, 8400, 1095, 375, "G",
     "Ask the unit for the records in its memory"},
    {MainWindow::Button::WriteFile, "WriteFile", "Write File", 7800, 8400, 1095, 375, "W",
     "Write the list to a text file"},
    {MainWindow::Button::Exit, "Exit", "Exit", 9000, 8400, 975, 375, "X",
     "Close the link to the unit and end the program"},
};

// Pixels between a button's frame and its caption, on each side.
constexpr int ButtonTextRoom = 3;

} // namespace

MainWindow::MainWindow(QWidget* parent) : QWidget(parent)
{
    setObjectName("Form1");
    setWindowTitle(QString::fromLatin1(ApplicationTitle) + QStringLiteral(" Window"));
    setWindowIcon(ApplicationIcon());
    setFixedSize(TwipsToPixelsX(*this, 10155), TwipsToPixelsY(*this, 9030));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(192, 255, 255));
    setPalette(pal);
    setAutoFillBackground(true);

    for (const ButtonSpec& b : Buttons) {
        const QKeySequence keys(QStringLiteral("Alt+") + QLatin1String(b.key));
        auto* button = new AltKeyButton(QString::fromLatin1(b.caption), keys, this);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setGeometry(TwipsRect(*this, b.left, b.top, b.width, b.height));
        button->setAutoDefault(false);
        button->setDefault(false);
        button->setStyle(SharedFocusMarkStyle());
        buttons_[static_cast<std::size_t>(b.which)] = button;
        connect(button, &QPushButton::clicked, this, [this, which = b.which] { emitRequest(which); });
        button->setToolTip(QStringLiteral("%1 (%2)").arg(QLatin1String(b.purpose), keys.toString(QKeySequence::NativeText)));
        button->setAccessibleDescription(QLatin1String(b.purpose));
    }

    fitButtonFont();

    scroll_ = new FocusScrollBar(this);
    scroll_->setObjectName("VScroll1");
    scroll_->setGeometry(TwipsRect(*this, 9600, 240, 375, 7335));
    // Out of the Tab chain: the list's own keys move it, and its clicks still work.
    scroll_->setFocusPolicy(Qt::NoFocus);

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
    messUsb_->setAccessibleDescription(QStringLiteral("How the link to the timing unit stands"));
    // On the status label's row, right of where its captions end, and as
    // high as the free band between the list and the buttons, for the lines
    // a long text wraps onto.
    operatorLine_ = new OperatorLine(this);
    operatorLine_->setObjectName("OperatorLine");
    operatorLine_->setGeometry(TwipsRect(*this, 2760, 7590, 7215, 795));
    operatorLine_->setAccessibleName(QStringLiteral("News"));
    operatorLine_->setAccessibleDescription(QStringLiteral("How the download goes and where the list was written"));
    // The list shows it has the keyboard by a frame around it.
    connect(qApp, &QApplication::focusChanged, this, [this] { update(); });

    // Screen readers meet the controls in the order of the screen, top to
    // bottom and left to right: children are listed in the order raised.
    std::vector<QWidget*> onScreen{picture_, scroll_, messUsb_, operatorLine_};
    std::vector<QPushButton*> row(buttons_.begin(), buttons_.end());
    std::sort(row.begin(), row.end(), [](const QWidget* a, const QWidget* b) { return a->x() < b->x(); });
    onScreen.insert(onScreen.end(), row.begin(), row.end());
    for (QWidget* w : onScreen)
        w->raise();

    QWidget* const order[] = {&button(Button::Exit),    picture_,
                              &button(Button::WriteFile), &button(Button::GetMemory), &button(Button::DayTime),
                              &button(Button::Time),    &button(Button::Print),
                              &button(Button::SortTime), &button(Button::SortBib),
                              &button(Button::SortSeq)};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
}

void MainWindow::fitButtonFont()
{
    // One font for every button: the window's own where every caption fits
    // with room on both sides, else the largest smaller one that does, as the
    // list's font is chosen to fit the list.
    const int room = 2 * (style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + ButtonTextRoom);
    auto fits = [&](const QFont& f) {
        const QFontMetrics m(f);
        return std::all_of(buttons_.begin(), buttons_.end(),
                           [&](const QPushButton* b) { return m.horizontalAdvance(b->text()) + room <= b->width(); });
    };
    QFont chosen = font();
    if (fits(chosen))
        return;
    const qreal points = chosen.pointSizeF() > 0 ? chosen.pointSizeF() : 9;
    for (qreal size = points - 0.5; size >= 5; size -= 0.5) {
        chosen.setPointSizeF(size);
        if (fits(chosen))
            break;
    }
    for (QPushButton* b : buttons_)
        b->setFont(chosen);
}

void MainWindow::emitRequest(Button which)
{
    switch (which) {
    case Button::GetMemory:
        emit getMemoryRequested();
        break;
    case Button::Time:
        emit timeDisplayRequested(TimeDisplay::Seconds);
        break;
    case Button::DayTime:
        emit timeDisplayRequested(TimeDisplay::TimeOfDay);
        break;
    case Button::SortTime:
        emit sortRequested(SortChoice::ByTime);
        break;
    case Button::SortBib:
        emit sortRequested(SortChoice::ByBib);
        break;
    case Button::SortSeq:
        emit sortRequested(SortChoice::BySequence);
        break;
    case Button::Print:
        emit printRequested();
        break;
    case Button::WriteFile:
        emit writeFileRequested();
        break;
    case Button::Exit:
        emit exitRequested();
        break;
    }
}

void MainWindow::showCentred()
{
    MoveToScreenCentre(*this);
    show();
    button(Button::Exit).setFocus(Qt::OtherFocusReason);
}

void MainWindow::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    if (!picture_->hasFocus())
        return;
    // Two pixels wide, just outside the picture.
    QPainter p(this);
    const QRect outer = picture_->geometry().adjusted(-3, -3, 3, 3);
    const QColor mark = palette().color(QPalette::Highlight);
    p.fillRect(QRect(outer.left(), outer.top(), outer.width(), 2), mark);
    p.fillRect(QRect(outer.left(), outer.bottom() - 1, outer.width(), 2), mark);
    p.fillRect(QRect(outer.left(), outer.top(), 2, outer.height()), mark);
    p.fillRect(QRect(outer.right() - 1, outer.top(), 2, outer.height()), mark);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    emit closing();
    event->accept(); // never refused
}
