#include "app/main_window.h"

#include "app/main_window_layout.h"

#include "app/application_icon.h"
#include "app/alt_key_button.h"
#include "app/operator_line.h"
#include "common/application_title.h"
#include "common/focus_mark_style.h"
#include "presentation/focus_scroll_bar.h"
#include "presentation/format_state.h"
#include "presentation/results_picture.h"
#include "common/screen_centre.h"
#include "common/twips.h"
#include "presentation/view_state.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QPainter>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QTimer>

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// Pixels between a button's frame and its caption, on each side.
constexpr int ButtonTextRoom = 3;

} // namespace

MainWindow::MainWindow(QWidget* parent) : QWidget(parent)
{
    setObjectName("Form1");
    setWindowTitle(tr("%1 Window").arg(QString::fromLatin1(ApplicationTitle)));
    setWindowIcon(ApplicationIcon());
    menuBar_ = new QMenuBar(this);
    menuBar_->setObjectName("MenuBar");
    // The desktop's own colours, not the list's.
    menuBar_->setPalette(QApplication::palette(menuBar_));
    menuBar_->setAutoFillBackground(true);
    for (const char* title : {QT_TR_NOOP("&File"), QT_TR_NOOP("&Edit"), QT_TR_NOOP("&View"), QT_TR_NOOP("&Lists"),
                              QT_TR_NOOP("&Results"), QT_TR_NOOP("&Help")})
        menuBar_->addMenu(tr(title));
    notKept_ = new QLabel(tr("Lists are not being kept"), menuBar_);
    notKept_->setObjectName("NotKeptNotice");
    notKept_->setContentsMargins(6, 0, 6, 0);
    notKept_->setStyleSheet(QStringLiteral("QLabel { color: white; background: #b00020; font-weight: bold; }"));
    menuBar_->setCornerWidget(notKept_, Qt::TopRightCorner);
    menuHeight_ = menuBar_->sizeHint().height();
    // Within the bar's height, whatever the style makes of a label.
    notKept_->setFixedHeight(std::max(1, menuHeight_ - 2));
    notKept_->setAlignment(Qt::AlignVCenter);
    notKept_->hide();
    setFixedSize(TwipsToPixelsX(*this, MainWindowLayout::WidthTwips),
                 TwipsToPixelsY(*this, MainWindowLayout::HeightTwips) + menuHeight_);
    menuBar_->setGeometry(0, 0, width(), menuHeight_);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(192, 255, 255));
    setPalette(pal);
    setAutoFillBackground(true);

    for (const MainWindowLayout::ButtonSpec& b : MainWindowLayout::Buttons) {
        const QKeySequence keys(QStringLiteral("Alt+") + QLatin1String(b.key));
        auto* button = new AltKeyButton(tr(b.caption), keys, this);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setGeometry(At(b.box));
        button->setAutoDefault(false);
        button->setDefault(false);
        button->setStyle(SharedFocusMarkStyle());
        buttons_[static_cast<std::size_t>(b.which)] = button;
        connect(button, &QPushButton::clicked, this, [this, which = b.which] { emitRequest(which); });
        button->setToolTip(tr("%1 (%2)").arg(tr(b.purpose), keys.toString(QKeySequence::NativeText)));
        button->setAccessibleDescription(tr(b.purpose));
    }

    fitButtonFont();

    scroll_ = new FocusScrollBar(this);
    scroll_->setObjectName("VScroll1");
    scrollRange_ = std::make_unique<ScrollBarRange>(*scroll_);
    scroll_->setGeometry(At(MainWindowLayout::VScroll1));
    // Out of the Tab chain: the list's own keys move it, and its clicks still work.
    scroll_->setFocusPolicy(Qt::NoFocus);

    picture_ = new ResultsPicture(this);
    picture_->setObjectName("Picture1");
    picture_->setGeometry(At(MainWindowLayout::Picture1));
    picture_->chooseFont();

    timer_ = new QTimer(this);
    timer_->setObjectName("Timer1");

    messUsb_ = new QLabel(this);
    messUsb_->setObjectName("MessUSB");
    messUsb_->setGeometry(At(MainWindowLayout::MessUSB));
    messUsb_->setAccessibleDescription(tr("How the link to the timing unit stands"));
    operatorLine_ = new OperatorLine(this);
    operatorLine_->setObjectName("OperatorLine");
    operatorLine_->setGeometry(At(MainWindowLayout::OperatorLine));
    operatorLine_->setAccessibleName(tr("News"));
    operatorLine_->setAccessibleDescription(tr("How the download goes and where the list was written"));
    addListActions();
    addMenus();
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

void MainWindow::addListActions()
{
    struct Spec {
        ListAction which;
        const char* text;
        QList<QKeySequence> keys;
    };
    const Spec specs[] = {
        {ListAction::BringBack, QT_TR_NOOP("Bring Back the Last List"), {QKeySequence(Qt::CTRL | Qt::Key_R)}},
        {ListAction::KeptLists, QT_TR_NOOP("Kept Lists\u2026"), {QKeySequence(Qt::CTRL | Qt::Key_L)}},
        {ListAction::Undo, QT_TR_NOOP("Undo Mark"), {QKeySequence(Qt::CTRL | Qt::Key_Z)}},
        // Ctrl+Y as Windows programs redo, beside the desktop's own key.
        {ListAction::Redo, QT_TR_NOOP("Redo Mark"),
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)}},
    };
    for (const Spec& spec : specs) {
        auto* action = new QAction(tr(spec.text), this);
        action->setShortcuts(spec.keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, [this, which = spec.which] { emit listActionRequested(which); });
        addAction(action);
        operatorLine_->addAction(action);
        listActions_[static_cast<std::size_t>(spec.which)] = action;
    }
    operatorLine_->setContextMenuPolicy(Qt::ActionsContextMenu);
}

QAction* MainWindow::addButtonItem(QMenu& menu, Button which)
{
    const QPushButton& b = button(which);
    auto* action = menu.addAction(b.text());
    action->setObjectName(b.objectName() + QLatin1String("Item"));
    // Shown beside the item: the button's own key, which the button answers
    // (as a shortcut of the window too, it would be taken by neither).
    action->setShortcut(static_cast<const AltKeyButton&>(b).keys());
    action->setShortcutContext(Qt::WidgetShortcut);
    action->setStatusTip(b.accessibleDescription());
    connect(action, &QAction::triggered, this, [this, which] { emitRequest(which); });
    buttonActions_[static_cast<std::size_t>(which)] = action;
    return action;
}

void MainWindow::addMenus()
{
    const QList<QMenu*> menus = menuBar_->findChildren<QMenu*>(Qt::FindDirectChildrenOnly);
    QMenu& file = *menus.at(0);
    QMenu& edit = *menus.at(1);
    QMenu& view = *menus.at(2);
    QMenu& lists = *menus.at(3);
    QMenu& results = *menus.at(4);
    QMenu& help = *menus.at(5);

    addButtonItem(file, Button::GetMemory);
    file.addSeparator();
    addButtonItem(file, Button::WriteFile)->setText(tr("Write File\u2026"));
    QAction* print = addButtonItem(file, Button::Print);
    // The platform's own key for printing and quitting where it has one,
    // beside the button's.
    if (!QKeySequence(QKeySequence::Print).isEmpty()) {
        print->setShortcuts({QKeySequence(QKeySequence::Print)});
        print->setShortcutContext(Qt::WindowShortcut);
        addAction(print);
    }
    file.addSeparator();
    QAction* exit = addButtonItem(file, Button::Exit);
    if (!QKeySequence(QKeySequence::Quit).isEmpty()) {
        exit->setShortcuts({QKeySequence(QKeySequence::Quit)});
        exit->setShortcutContext(Qt::WindowShortcut);
        addAction(exit);
    }

    edit.addAction(&listAction(ListAction::Undo));
    edit.addAction(&listAction(ListAction::Redo));

    for (Button which : {Button::SortTime, Button::SortBib, Button::SortSeq})
        addButtonItem(view, which);
    view.addSeparator();
    addButtonItem(view, Button::Time);
    addButtonItem(view, Button::DayTime);

    lists.addAction(&listAction(ListAction::BringBack));
    lists.addAction(&listAction(ListAction::KeptLists));

    const std::pair<ResultsAction, const char*> resultItems[] = {
        {ResultsAction::Show, QT_TR_NOOP("Results\u2026")},
        {ResultsAction::Import, QT_TR_NOOP("Import Start List\u2026")},
    };
    const QKeySequence resultKeys[] = {QKeySequence(Qt::CTRL | Qt::Key_T), QKeySequence(Qt::CTRL | Qt::Key_I)};
    for (const auto& [which, text] : resultItems) {
        QAction* item = results.addAction(tr(text));
        item->setShortcut(resultKeys[static_cast<std::size_t>(which)]);
        item->setShortcutContext(Qt::WindowShortcut);
        addAction(item);
        connect(item, &QAction::triggered, this, [this, which] { emit resultsRequested(which); });
        resultsActions_[static_cast<std::size_t>(which)] = item;
    }

    QAction* keys = help.addAction(tr("Keys and Tips"));
    keys->setShortcut(QKeySequence::HelpContents);
    keys->setShortcutContext(Qt::WindowShortcut);
    addAction(keys);
    connect(keys, &QAction::triggered, this, [this] { emit helpRequested(HelpAction::Keys); });
    help.addSeparator();
    QAction* about = help.addAction(tr("About %1").arg(QString::fromLatin1(ApplicationTitle)));
    about->setMenuRole(QAction::AboutRole);
    connect(about, &QAction::triggered, this, [this] { emit helpRequested(HelpAction::About); });
}

QString MainWindow::keysOf(ListAction which) const
{
    return listAction(which).shortcut().toString(QKeySequence::NativeText);
}

QString MainWindow::keysOf(ResultsAction which) const
{
    return resultsActions_[static_cast<std::size_t>(which)]->shortcut().toString(QKeySequence::NativeText);
}

QString MainWindow::keysOf(Button which) const
{
    return buttonAction(which).shortcut().toString(QKeySequence::NativeText);
}

void MainWindow::showMarkSteps(const std::optional<MarkStep>& undo, const std::optional<MarkStep>& redo)
{
    QAction& u = listAction(ListAction::Undo);
    u.setEnabled(undo.has_value());
    u.setText(undo ? tr("Undo Mark of Record %1 (Bib %2)").arg(undo->record).arg(undo->bib) : tr("Undo Mark"));
    QAction& r = listAction(ListAction::Redo);
    r.setEnabled(redo.has_value());
    r.setText(redo ? tr("Redo Mark of Record %1 (Bib %2)").arg(redo->record).arg(redo->bib) : tr("Redo Mark"));
}

void MainWindow::showNotKeptNotice(const QString& why)
{
    notKept_->setToolTip(why);
    notKept_->setAccessibleDescription(why);
    notKept_->setVisible(!why.isEmpty());
    menuBar_->setGeometry(0, 0, width(), menuHeight_);
    QAccessibleEvent changed(notKept_, why.isEmpty() ? QAccessible::ObjectHide : QAccessible::Alert);
    QAccessible::updateAccessibility(&changed);
}

QRect MainWindow::At(const MainWindowLayout::Box& box) const
{
    return TwipsRect(*this, box.left, box.top, box.width, box.height).translated(0, menuHeight_);
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
    if (!std::exchange(painted_, true))
        emit firstPainted();
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
