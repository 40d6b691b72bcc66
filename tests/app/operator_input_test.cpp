// The keyboard, the wheel and screen readers on the main window.
#include "export/export_dialog.h"
#include "export/folder_list.h"
#include "presentation/focus_scroll_bar.h"
#include "presentation/results_picture.h"
#include "support/app_rig.h"
#include "support/scripted_prompt.h"

#include <QAccessible>
#include <QLabel>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QWheelEvent>

#include <functional>
#include <initializer_list>

#include <gtest/gtest.h>

namespace {

struct Downloaded : AppRig {
    Downloaded() : AppRig(true, 48, &prompt) { loadAndDownload(); }
    FocusScrollBar& scroll() { return app->window().scrollBar(); }
    ResultsPicture& picture() { return app->window().picture(); }
    ScriptedPrompt prompt;
};

TEST(TheList, TheWheelScrollsItAsTheScrollBarsArrowsDo)
{
    Downloaded r;
    ASSERT_EQ(r.scroll().value(), 17);
    const QPointF at(40, 40);
    QWheelEvent up(at, r.picture().mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&r.picture(), &up);
    const int moved = 17 - r.scroll().value();
    EXPECT_GT(moved, 0);
    // The page follows, through the scroll bar's own change.
    EXPECT_EQ(r.seqAt(4), std::to_string(r.scroll().value() + 1));
    // The same turn of the wheel over the scroll bar itself moves it as far.
    QCoreApplication::sendEvent(&r.scroll(), &up);
    EXPECT_EQ(17 - r.scroll().value(), 2 * moved);
}

// The keys move a line cursor; the page scrolls where the cursor would leave it.
TEST(TheList, TheKeysMoveALineCursorAndThePageFollowsIt)
{
    Downloaded r;
    struct Case {
        Qt::Key key;
        int value;
        int cursorRow;
    };
    for (const Case c : {Case{Qt::Key_PageUp, 0, 4}, Case{Qt::Key_Down, 0, 5}, Case{Qt::Key_End, 17, 34},
                         Case{Qt::Key_Down, 17, 34}, Case{Qt::Key_Up, 17, 33}, Case{Qt::Key_Home, 0, 4},
                         Case{Qt::Key_Up, 0, 4}, Case{Qt::Key_PageDown, 17, 4}}) {
        SCOPED_TRACE(QKeySequence(c.key).toString().toStdString());
        QTest::keyClick(&r.picture(), c.key);
        EXPECT_EQ(r.scroll().value(), c.value);
        EXPECT_EQ(r.seqAt(4), std::to_string(c.value + 1));
        EXPECT_EQ(r.state().view.cursorRow, c.cursorRow);
    }
    // On the last line of the page, Down scrolls by one and the cursor stays.
    QTest::keyClick(&r.picture(), Qt::Key_Home);
    for (int i = 0; i < 30; ++i)
        QTest::keyClick(&r.picture(), Qt::Key_Down);
    EXPECT_EQ(r.state().view.cursorRow, 34);
    EXPECT_EQ(r.scroll().value(), 0);
    QTest::keyClick(&r.picture(), Qt::Key_Down);
    EXPECT_EQ(r.scroll().value(), 1);
    EXPECT_EQ(r.seqAt(34), "32");
}

TEST(TheList, SpaceCyclesTheMarkOfTheCursorsLineAndTheCursorOutlivesARefresh)
{
    Downloaded r;
    QTest::keyClick(&r.picture(), Qt::Key_Home);
    QTest::keyClick(&r.picture(), Qt::Key_Down);
    QTest::keyClick(&r.picture(), Qt::Key_Down);
    QTest::keyClick(&r.picture(), Qt::Key_Space);
    EXPECT_EQ(r.seqAt(6), "3   *");
    QTest::keyClick(&r.picture(), Qt::Key_Space);
    EXPECT_EQ(r.seqAt(6), "3   DQ");
    // A redraw (here the time display) keeps the cursor where it was.
    r.click(AppRig::Button::DayTime);
    EXPECT_EQ(r.state().view.cursorRow, 6);
    QTest::keyClick(&r.picture(), Qt::Key_Space);
    EXPECT_EQ(r.seqAt(6), "3");
}

TEST(TheButtons, EachHasAKeyAndSaysItInItsTooltipWithItsCaptionUnchanged)
{
    Downloaded r;
    MainWindow& w = r.app->window();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    for (int i = 0; i < MainWindow::ButtonCount; ++i) {
        const QPushButton& b = w.button(static_cast<MainWindow::Button>(i));
        EXPECT_FALSE(b.text().contains('&')) << b.text().toStdString();
        EXPECT_TRUE(b.toolTip().contains("Alt+")) << b.objectName().toStdString();
    }
    QTest::keyClick(&w, Qt::Key_D, Qt::AltModifier);
    EXPECT_EQ(r.state().format.TimeDisplayMode, TimeDisplay::TimeOfDay);
    QTest::keyClick(&w, Qt::Key_T, Qt::AltModifier);
    EXPECT_EQ(r.state().format.TimeDisplayMode, TimeDisplay::Seconds);
    QTest::keyClick(&w, Qt::Key_W, Qt::AltModifier);
    ASSERT_NE(r.app->exportDialog(), nullptr);
    EXPECT_TRUE(r.app->exportDialog()->isVisible());
}

TEST(TheList, AFrameShowsWhenItHasTheKeyboard)
{
    Downloaded r;
    MainWindow& w = r.app->window();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    const QPoint corner = r.picture().geometry().topLeft() + QPoint(-2, 40);
    r.app->window().button(MainWindow::Button::Exit).setFocus();
    const QColor without = w.grab().toImage().pixelColor(corner);
    r.picture().setFocus();
    const QColor with = w.grab().toImage().pixelColor(corner);
    EXPECT_EQ(without, QColor(192, 255, 255));
    EXPECT_EQ(with, w.palette().color(QPalette::Highlight));
}

TEST(TheButtons, TheOneWithTheKeyboardIsMarked)
{
    Downloaded r;
    MainWindow& w = r.app->window();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QPushButton& print = w.button(MainWindow::Button::Print);
    auto marked = [&] {
        const QImage face = print.grab().toImage();
        const QColor mark = w.palette().color(QPalette::Highlight);
        // A line of the mark along the top, a few pixels in.
        for (int y = 0; y < 6; ++y) {
            int count = 0;
            for (int x = 0; x < face.width(); ++x)
                count += face.pixelColor(x, y) == mark;
            if (count > face.width() / 2)
                return true;
        }
        return false;
    };
    w.button(MainWindow::Button::Exit).setFocus();
    EXPECT_FALSE(marked());
    print.setFocus();
    EXPECT_TRUE(marked());
}

// A person holds a button down for a moment; the list is redrawn meanwhile
// as records come. The click still counts, and the focus stays where the
// operator put it.
TEST(TheButtons, AClickHeldWhileRecordsArriveStillCounts)
{
    AppRig r(true, 255);
    r.load();
    MainWindow& w = r.app->window();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    r.getMemory();
    // Past the first page, so that every record filed scrolls the list.
    r.app->Timer1Tick();
    while (r.state().records.table().RecordCount <= 40 && r.step()) {
    }
    struct Case {
        MainWindow::Button button;
        std::function<bool()> tookEffect;
    };
    const TimerState& state = r.state();
    const Case cases[] = {
        {MainWindow::Button::DayTime, [&] { return state.format.TimeDisplayMode == TimeDisplay::TimeOfDay; }},
        {MainWindow::Button::Time, [&] { return state.format.TimeDisplayMode == TimeDisplay::Seconds; }},
        {MainWindow::Button::DayTime, [&] { return state.format.TimeDisplayMode == TimeDisplay::TimeOfDay; }},
        {MainWindow::Button::WriteFile, [&] { return r.app->exportDialog() && r.app->exportDialog()->isVisible(); }},
    };
    for (const Case& c : cases) {
        QPushButton& button = w.button(c.button);
        SCOPED_TRACE(button.text().toStdString());
        ASSERT_FALSE(c.tookEffect());
        const int filedBefore = state.records.table().RecordCount;
        QTest::mousePress(&button, Qt::LeftButton);
        for (int report = 0; report < 30; ++report)
            r.step();
        ASSERT_GT(state.records.table().RecordCount, filedBefore) << "no record came while the button was held";
        QTest::mouseRelease(&button, Qt::LeftButton);
        ASSERT_TRUE(c.tookEffect());
    }
    EXPECT_TRUE(r.unit.sending());
}

TEST(ScreenReaders, TheListReadsAsItsLinesAndTheControlsHaveNames)
{
    Downloaded r;
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&r.picture());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->role(), QAccessible::List);
    EXPECT_EQ(list->text(QAccessible::Name), "Records");
    ASSERT_EQ(list->childCount(), 31);
    QAccessibleInterface* first = list->child(0);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->role(), QAccessible::ListItem);
    EXPECT_TRUE(first->text(QAccessible::Name).startsWith("SEQ 18, BIB # ")) << first->text(QAccessible::Name).toStdString();
    EXPECT_TRUE(list->child(30)->text(QAccessible::Name).startsWith("SEQ 48, "));
    // Short: the lines are its children, not its description.
    EXPECT_LT(list->text(QAccessible::Description).size(), 120);
    EXPECT_EQ(list->indexOfChild(first), 0);
    // Each line has its place on the screen and can be the current one.
    EXPECT_EQ(first->rect().height(), list->child(1)->rect().top() - first->rect().top());
    EXPECT_TRUE(first->state().focusable);
    r.app->window().showCentred();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&r.app->window()));
    r.picture().setFocus();
    QTest::keyClick(&r.picture(), Qt::Key_Home);
    QTest::keyClick(&r.picture(), Qt::Key_Down);
    EXPECT_TRUE(list->child(1)->state().selected);
    EXPECT_TRUE(list->child(1)->state().focused);
    EXPECT_FALSE(first->state().selected);
    EXPECT_EQ(list->focusChild(), list->child(1));

    // Each button tells its Alt key, and pressing it through the screen reader presses it.
    QAccessibleInterface* dayTime = QAccessible::queryAccessibleInterface(&r.app->window().button(MainWindow::Button::DayTime));
    EXPECT_EQ(dayTime->text(QAccessible::Name), "Day Time");
    EXPECT_EQ(dayTime->text(QAccessible::Accelerator), QKeySequence("Alt+D").toString(QKeySequence::NativeText));
    ASSERT_NE(dayTime->actionInterface(), nullptr);
    EXPECT_EQ(dayTime->actionInterface()->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
              QStringList{dayTime->text(QAccessible::Accelerator)});
    dayTime->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(r.state().format.TimeDisplayMode, TimeDisplay::TimeOfDay);

    // The window's controls come in the order of the screen, the menu bar first.
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&r.app->window());
    QStringList order;
    for (int i = 0; i < window->childCount(); ++i)
        if (QObject* o = window->child(i)->object())
            order << o->objectName();
    EXPECT_EQ(order, (QStringList{"MenuBar", "Picture1", "VScroll1", "MessUSB", "OperatorLine", "Reset", "Normal", "MilitaryT",
                                  "SortTime", "SortBib", "SortSeq", "Command1", "WriteFile", "Exit"}));

    // The status line reads as its caption, and says what it is.
    QAccessibleInterface* status = QAccessible::queryAccessibleInterface(&r.app->window().statusLabel());
    EXPECT_EQ(status->text(QAccessible::Name), r.caption());
    EXPECT_FALSE(status->text(QAccessible::Description).isEmpty());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&r.scroll())->text(QAccessible::Name), "Scroll the list");

    r.click(AppRig::Button::WriteFile);
    ExportDialog* dialog = r.app->exportDialog();
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&dialog->fileName())->text(QAccessible::Name), "File name");
    EXPECT_EQ(dialog->findChild<QLabel*>("Label4")->buddy(), &dialog->fileName());
    const QWidget* named[] = {dialog, &dialog->folders(), &dialog->files(), &dialog->drives()};
    for (const QWidget* w : named)
        EXPECT_FALSE(QAccessible::queryAccessibleInterface(const_cast<QWidget*>(w))->text(QAccessible::Name).isEmpty()) << w->objectName().toStdString();
}

} // namespace
