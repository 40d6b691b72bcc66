// The operator's lists kept across downloads and runs: brought back on one
// key with their marks, sort and display; marks undone and redone; a store
// that cannot be used said once, the timing unchanged.
#include "support/app_rig.h"

#include "app/kept_lists_window.h"
#include "emulator/sample_race.h"
#include "lists/list_store.h"
#include "support/held_sync_vfs.h"
#include "support/scripted_prompt.h"
#include "presentation/focus_scroll_bar.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include <QAccessible>
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTreeWidget>

namespace {

using ListAction = MainWindow::ListAction;

QString Told(AppRig& r) { return r.app->window().operatorLine().toldText(); }

void Trigger(AppRig& r, ListAction action) { r.app->window().listAction(action).trigger(); }

std::vector<std::string> Lines(AppRig& r)
{
    std::vector<std::string> lines;
    for (int row = ResultsView::FirstDataRow; row <= ResultsView::LastDataRow; ++row) {
        std::string line;
        for (const std::string& t : r.app->results().rowTexts(row))
            line += t + "|";
        lines.push_back(line);
    }
    return lines;
}

TEST(KeptLists, ASecondGetMemoryKeepsTheFirstListWhichComesBackWithItsMarks)
{
    QTemporaryDir dir;
    AppRig r(true, 20, nullptr, dir.path());
    r.load();
    r.getMemory();
    r.tickUntilQuiet();
    r.clickLine(5);
    r.clickLine(6, Qt::RightButton);
    const std::vector<std::string> first = Lines(r);
    ASSERT_EQ(r.seqAt(5), "2   *");

    r.getMemory();
    r.tickUntilQuiet();
    EXPECT_EQ(r.seqAt(5), "2");
    Trigger(r, ListAction::BringBack);
    EXPECT_EQ(Lines(r), first);
    EXPECT_TRUE(Told(r).startsWith("Back on screen: the list downloaded ")) << Told(r).toStdString();
    EXPECT_TRUE(Told(r).endsWith(", 20\u00a0records, 2\u00a0marked.")) << Told(r).toStdString();

    // The kept lists' window shows both, newest first, and brings back the other.
    Trigger(r, ListAction::KeptLists);
    KeptListsWindow* window = r.app->keptListsWindow();
    ASSERT_TRUE(window && window->isVisible());
    QTreeWidget& table = window->table();
    ASSERT_EQ(table.topLevelItemCount(), 2);
    EXPECT_EQ(table.topLevelItem(0)->text(2), "0");
    EXPECT_EQ(table.topLevelItem(1)->text(2), "2");
    EXPECT_EQ(table.currentItem(), table.topLevelItem(1)) << "the list on screen is chosen";
    // Two downloads a minute apart told apart: the time to the second, on the 24-hour clock.
    EXPECT_TRUE(QRegularExpression(QStringLiteral(" \\d\\d:\\d\\d:\\d\\d$")).match(table.topLevelItem(0)->text(0)).hasMatch())
        << table.topLevelItem(0)->text(0).toStdString();
    table.setCurrentItem(table.topLevelItem(0));
    QTest::keyClick(&table, Qt::Key_Return);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(r.seqAt(5), "2");

    // A download into a list brought back is a list of its own.
    Trigger(r, ListAction::BringBack);
    r.getMemory();
    r.tickUntilQuiet();
    const auto lists = r.app->keeper().lists();
    ASSERT_EQ(lists.size(), 3u);
    EXPECT_EQ(lists[2].marks, 2);
    EXPECT_EQ(lists[2].records, 20);
}

// The window is drawn before the store is opened, whose first syncs would
// otherwise hold it blank.
TEST(KeptLists, TheStoreOpensOnceTheWindowIsDrawn)
{
    QTemporaryDir dir;
    AppRig r(true, 20, nullptr, dir.path());
    bool keptWhenDrawn = true;
    QObject::connect(&r.app->window(), &MainWindow::firstPainted, [&] { keptWhenDrawn = r.app->keeper().keeping(); });
    r.app->Load();
    r.app->window().showCentred();
    ASSERT_TRUE(QTest::qWaitFor([&] { return r.app->keeper().keeping(); }, 5000));
    EXPECT_TRUE(r.app->window().painted());
    EXPECT_FALSE(keptWhenDrawn);
}

// A change of the table is kept though the event that made it never asked:
// the table's owner tells it, and it is written as the event loop turns.
TEST(KeptLists, AChangeNoEventKeepsIsKeptAllTheSame)
{
    QTemporaryDir dir;
    AppRig r(true, 20, nullptr, dir.path());
    r.loadAndDownload();
    ASSERT_EQ(r.app->keeper().lists().front().marks, 0);
    r.state().records.setMark(7, 2);
    EXPECT_EQ(r.app->keeper().lists().front().marks, 0) << "written later, not in the middle of the change";
    QCoreApplication::processEvents();
    EXPECT_EQ(r.app->keeper().lists().front().marks, 1);
}

TEST(KeptLists, ANewRunOffersTheLastListAndBringsItBackOnlyWhenAsked)
{
    QTemporaryDir dir;
    std::vector<std::string> left;
    {
        AppRig r(true, 40, nullptr, dir.path());
        r.load();
        r.getMemory();
        r.tickUntilQuiet();
        r.clickLine(4);
        r.click(AppRig::Button::SortBib);
        r.click(AppRig::Button::DayTime);
        left = Lines(r);
    }
    AppRig r(true, 40, nullptr, dir.path());
    r.app->Load();
    // Asked before the store is open: carried out once it is, not refused.
    Trigger(r, ListAction::KeptLists);
    EXPECT_EQ(Told(r), "The kept lists are being opened: they are shown as soon as they are.");
    QCoreApplication::processEvents();
    ASSERT_TRUE(QTest::qWaitFor([&] { return r.app->keptListsWindow() && r.app->keptListsWindow()->isVisible(); }));
    r.app->keptListsWindow()->close();
    EXPECT_TRUE(Told(r).startsWith("The list downloaded ")) << Told(r).toStdString();
    EXPECT_TRUE(Told(r).endsWith(" is kept (40\u00a0records, 1\u00a0marked): press Ctrl+R to bring it back."))
        << Told(r).toStdString();
    // A screen reader hears the offer itself.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&r.app->window().operatorLine())->text(QAccessible::Name), Told(r));
    // Asked while the start-up is on its way (it empties the table after its
    // read): carried out once it has ended, not refused.
    Trigger(r, ListAction::BringBack);
    EXPECT_EQ(Told(r), "The unit is being started: the kept list is brought back as soon as it is.");
    EXPECT_EQ(r.state().records.table().RecordCount, 0);
    r.settle();
    EXPECT_EQ(Lines(r), left);
    EXPECT_EQ(r.state().format.TimeDisplayMode, TimeDisplay::TimeOfDay);
}

// What a new run offers, never putting it on screen unasked: the list left on
// screen when the program ended (not the newest), and for a list that
// stopped short the count the unit reported.
TEST(KeptLists, ANewRunOffersTheListLeftOnScreenWithWhatItHolds)
{
    const struct {
        const char* what;
        std::function<void(const QString& folder)> lay;
        const char* offerEnds;
        const char* line5; // after Ctrl+R
    } cases[] = {
        {"a list that stopped short",
         [](const QString& folder) {
             ListStore store(folder);
             ASSERT_TRUE(store.open().open);
             const auto list = store.beginList(QDateTime::currentDateTime());
             ASSERT_TRUE(list);
             KeptListChange change{.list = *list, .reportedCount = 48};
             for (int n = 1; n <= 28; ++n)
                 change.records.push_back({.number = n});
             ASSERT_TRUE(store.write(change));
         },
         " is kept (28\u00a0of the 48\u00a0records the unit reported, 0\u00a0marked): press Ctrl+R to bring it back.",
         nullptr},
        {"an older list on screen at the end",
         [](const QString& folder) {
             AppRig r(true, 20, nullptr, folder);
             r.load();
             r.getMemory();
             r.tickUntilQuiet();
             r.getMemory();
             r.tickUntilQuiet();
             Trigger(r, ListAction::BringBack); // the first list, then marked
             r.clickLine(5);
         },
         " is kept (20\u00a0records, 1\u00a0marked): press Ctrl+R to bring it back.", "2   *"},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        c.lay(dir.path());
        AppRig r(true, 48, nullptr, dir.path());
        r.load();
        EXPECT_TRUE(Told(r).endsWith(c.offerEnds)) << c.what << ": " << Told(r).toStdString();
        EXPECT_EQ(r.state().records.table().RecordCount, 0) << c.what << ": nothing is restored unasked";
        if (c.line5) {
            Trigger(r, ListAction::BringBack);
            EXPECT_EQ(r.seqAt(5), c.line5) << c.what;
        }
    }
}

// Undo and redo in the Edit menu say what they would do and are greyed when
// there is nothing; undoing a line off the page brings it into view, and
// the news names its bib.
TEST(KeptLists, UndoAndRedoSayWhatTheyWouldDoAndShowTheLine)
{
    QTemporaryDir dir;
    AppRig r(true, 40, nullptr, dir.path());
    r.load();
    r.getMemory();
    r.tickUntilQuiet();
    QAction& undo = r.app->window().listAction(ListAction::Undo);
    QAction& redo = r.app->window().listAction(ListAction::Redo);
    EXPECT_FALSE(undo.isEnabled());
    EXPECT_FALSE(redo.isEnabled());
    EXPECT_EQ(undo.text(), "Undo Mark");
    FocusScrollBar& scroll = r.app->window().scrollBar();
    scroll.setValue(0);
    // The bib column also says DNF or MAN after the number.
    std::string bib = r.app->results().rowTexts(5)[1];
    bib = bib.substr(0, bib.find(' '));
    ASSERT_EQ(r.seqAt(5), "2");
    r.clickLine(5);
    r.clickLine(5);
    const QString item = QStringLiteral("Record 2 (Bib %1)").arg(QString::fromStdString(bib));
    EXPECT_TRUE(undo.isEnabled());
    EXPECT_EQ(undo.text(), "Undo Mark of " + item);
    scroll.setValue(scroll.maximum());
    ASSERT_NE(r.seqAt(5), "2   DQ");
    Trigger(r, ListAction::Undo);
    EXPECT_EQ(r.seqAt(5), "2   *") << "brought into view";
    EXPECT_EQ(Told(r).toStdString(), "Undone: record 2 (bib " + bib + ") is starred again (Ctrl+Shift+Z redoes it).");
    EXPECT_EQ(redo.text(), "Redo Mark of " + item);
    Trigger(r, ListAction::Redo);
    EXPECT_EQ(r.seqAt(5), "2   DQ");
    EXPECT_EQ(Told(r).toStdString(), "Redone: record 2 (bib " + bib + ") is disqualified again.");
    EXPECT_FALSE(redo.isEnabled());
    EXPECT_EQ(redo.shortcuts().size(), 2) << "Ctrl+Y too";
}

// A Get Memory that begins a new list says where the one before is kept;
// Bring Back is greyed while the download runs.
TEST(KeptLists, ANewDownloadSaysWhereTheListBeforeIsKept)
{
    QTemporaryDir dir;
    AppRig r(true, 20, nullptr, dir.path());
    QStringList news;
    QObject::connect(r.app.get(), &TimerApplication::newsShown, [&](const QString& n) { news << n; });
    r.load();
    r.getMemory();
    EXPECT_FALSE(r.app->window().listAction(ListAction::BringBack).isEnabled());
    r.tickUntilQuiet();
    EXPECT_TRUE(r.app->window().listAction(ListAction::BringBack).isEnabled());
    EXPECT_TRUE(news.contains("Asking the unit for its records\u2026")) << news.join('|').toStdString();
    news.clear();
    r.getMemory();
    EXPECT_TRUE(news.contains("Asking the unit for its records\u2026 The list before is kept: Ctrl+R brings it back, "
                              "Ctrl+L shows every kept list."))
        << news.join('|').toStdString();    // And with the download's last word, which stays on the line.
    r.tickUntilQuiet();
    EXPECT_TRUE(Told(r).startsWith("Download complete: 20 records, at ")) << Told(r).toStdString();
    EXPECT_TRUE(Told(r).endsWith(" The list before is kept: Ctrl+R brings it back, Ctrl+L shows every kept list."))
        << Told(r).toStdString();
}

TEST(KeptLists, AStoreThatCannotBeUsedIsToldAndTheDownloadIsWhole)
{
    struct Case {
        const char* what;
        const char* toldStart;
    };
    const Case cases[] = {
        {"damaged", "The kept lists are damaged: they were set aside as "},
        {"second copy", "The lists are not being kept here: another copy of the program is running"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        std::unique_ptr<ListStore> other;
        if (std::string(c.what) == "damaged") {
            QFile f(dir.filePath(ListStore::FileName));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(8192, '\x7f'));
        } else {
            other = std::make_unique<ListStore>(dir.path());
            ASSERT_TRUE(other->open().open);
        }
        AppRig r(true, 48, nullptr, dir.path());
        r.load();
        EXPECT_TRUE(Told(r).startsWith(c.toldStart)) << Told(r).toStdString();
        r.getMemory();
        r.tickUntilQuiet();
        EXPECT_EQ(r.state().records.table().RecordCount, 48);
    }
}

// Lists not kept are a state the window shows until it changes, whatever
// news comes meanwhile; Exit asks before the list on screen is lost; a second
// copy takes over keeping when the first ends, and says so.
TEST(KeptLists, NotKeptIsShownUntilItChangesAndASecondCopyTakesOver)
{
    QTemporaryDir dir;
    auto first = std::make_unique<ListStore>(dir.path());
    ASSERT_TRUE(first->open().open);
    ScriptedPrompt prompt;
    AppRig r(true, 20, &prompt, dir.path());
    int exits = 0;
    QObject::connect(r.app.get(), &TimerApplication::exitRequested, [&] { ++exits; });
    r.load();
    const QLabel& notice = r.app->window().notKeptNotice();
    EXPECT_FALSE(notice.isHidden());
    EXPECT_TRUE(notice.toolTip().startsWith("The lists are not being kept here")) << notice.toolTip().toStdString();
    // A start list taken meanwhile is not lost without a word either.
    Entrant one;
    one.bib = 1;
    r.app->resultsOfRace().take({one}, QStringLiteral("start.csv"));
    prompt.answers = {false};
    r.click(AppRig::Button::Exit);
    ASSERT_EQ(prompt.questions.size(), 1);
    EXPECT_TRUE(prompt.questions[0].startsWith("The start list or the age groups taken are not on the disk"));
    r.getMemory();
    r.tickUntilQuiet();
    EXPECT_TRUE(Told(r).startsWith("Download complete")) << Told(r).toStdString();
    EXPECT_FALSE(notice.isHidden()) << "the news does not hide it";
    // Nothing kept to bring back: told why, not that there is none.
    Trigger(r, ListAction::BringBack);
    EXPECT_TRUE(Told(r).startsWith("The lists are not being kept here")) << Told(r).toStdString();

    prompt.answers = {false};
    r.click(AppRig::Button::Exit);
    EXPECT_EQ(exits, 0);
    ASSERT_EQ(prompt.questions.size(), 2);
    EXPECT_TRUE(prompt.questions[1].startsWith("The list on screen is not on the disk"));

    first.reset();
    r.clock.advanceUs(ListKeeper::RetryMs * 1000);
    r.clickLine(5);
    // Opened again on the writer's thread, and told once the list is on the disk.
    EXPECT_TRUE(QTest::qWaitFor([&] { return notice.isHidden(); }));
    EXPECT_EQ(Told(r), "The lists are being kept again: the list on screen and every mark are on the disk now.");
    const auto lists = r.app->keeper().lists();
    ASSERT_EQ(lists.size(), 1u);
    EXPECT_EQ(lists[0].records, 20);
    EXPECT_EQ(lists[0].marks, 1);
    r.click(AppRig::Button::Exit);
    EXPECT_EQ(exits, 1) << "nothing left to lose: no question";
    EXPECT_EQ(prompt.questions.size(), 2);
    EXPECT_EQ(r.app->keeper().keptEntrants().size(), 1u) << "the start list written with the list";
}

// Exit on a disk slow to take the last mark waits for it and says so; a disk
// that takes longer than the bound is asked about, never waited for in
// silence or for ever.
TEST(KeptLists, ExitWaitsForTheDiskBoundedAndTold)
{
    const struct {
        const char* what;
        int letGoAfterMs;
        bool asked;
    } cases[] = {{"the disk takes it within the bound", 200, false}, {"it takes longer", 4000, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        HeldSyncVfs disk;
        ScriptedPrompt prompt;
        AppRig r(SampleRace(36000000, 7, 20), true, &prompt, {}, dir.path(), 2000);
        r.loadAndDownload();
        ASSERT_TRUE(r.app->keeper().waitUntilWritten(20000));
        disk.hold();
        r.clickLine(5);
        ASSERT_TRUE(disk.waitUntilWaiting(1, 20000)) << "the mark is in its sync";
        std::thread letGo([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(c.letGoAfterMs));
            disk.release();
        });
        prompt.answers = {false};
        r.click(AppRig::Button::Exit);
        EXPECT_EQ(Told(r), "Writing the kept lists to the disk before the end…");
        EXPECT_EQ(prompt.questions.size(), c.asked ? 1u : 0u);
        EXPECT_EQ(r.exitRequests, c.asked ? 0 : 1);
        letGo.join();
        if (c.asked) {
            ASSERT_TRUE(prompt.questions[0].startsWith("The disk has not yet taken")) << prompt.questions[0].toStdString();
            r.click(AppRig::Button::Exit);
            EXPECT_EQ(r.exitRequests, 1) << "nothing left to lose: no question";
        }
        EXPECT_EQ(r.app->keeper().lists().front().marks, 1);
    }
}

// A lock left by a copy on another computer (a home on a stick) is never a
// bar for ever: the operator is asked whether to take the lists over.
TEST(KeptLists, ALockLeftOnAnotherComputerIsOfferedToBeTakenOver)
{
    for (const bool takeOver : {true, false}) {
        SCOPED_TRACE(takeOver);
        QTemporaryDir dir;
        {
            ListStore other(dir.path());
            ASSERT_TRUE(other.open().open);
            const auto list = other.beginList(QDateTime::currentDateTime());
            ASSERT_TRUE(list && other.write({.list = *list, .records = {{.number = 1}}}));
        }
        // The lock as that computer's copy leaves it: its own host and machine.
        QFile lock(dir.filePath("lists.lock"));
        ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
        lock.write("4242\ntrivex\nrace-laptop-17\n0123456789abcdef0123456789abcdef\n");
        lock.close();

        ScriptedPrompt prompt;
        prompt.answers = {takeOver};
        AppRig r(true, 10, &prompt, dir.path());
        r.load();
        ASSERT_EQ(prompt.questions.size(), 1);
        EXPECT_TRUE(prompt.questions[0].startsWith("The kept lists are held by this program on the computer "
                                                   "race-laptop-17, which last wrote them "))
            << prompt.questions[0].toStdString();
        EXPECT_EQ(r.app->keeper().keeping(), takeOver);
        EXPECT_EQ(r.app->window().notKeptNotice().isHidden(), takeOver);
        if (takeOver)
            EXPECT_EQ(r.app->keeper().lists().size(), 1u);
        else
            EXPECT_TRUE(Told(r).startsWith("The lists are not being kept here: the program on the computer "
                                           "race-laptop-17 holds them."))
                << Told(r).toStdString();
    }
}

// Each line shows the time of day of its own list, whatever list was drawn
// before it: two heats at different times of day, brought back in turn, look
// as each does in a program that drew nothing else.
TEST(KeptLists, EachLineShowsTheTimeOfDayOfItsOwnList)
{
    QTemporaryDir dir;
    constexpr std::uint32_t heat1 = (15 * 60 + 14) * 60000;
    constexpr std::uint32_t heat2 = (15 * 60 + 17) * 60000;
    std::vector<std::string> heat2Alone;
    {
        AppRig r(SampleRace(heat1, 7, 48), true, nullptr, {}, dir.path());
        r.load();
        r.click(AppRig::Button::DayTime);
        r.getMemory();
        r.tickUntilQuiet();
        r.unit.setMemory(SampleRace(heat2, 7, 48));
        r.getMemory();
        r.tickUntilQuiet();
        Trigger(r, ListAction::BringBack); // heat 1 on screen
        Trigger(r, ListAction::KeptLists);
        QTreeWidget& table = r.app->keptListsWindow()->table();
        table.setCurrentItem(table.topLevelItem(0)); // heat 2, the newest
        QTest::keyClick(&table, Qt::Key_Return);
        heat2Alone = Lines(r);
    }
    // A new run that shows heat 2 and nothing else first.
    AppRig fresh(SampleRace(heat2, 7, 48), true, nullptr, {}, dir.path());
    fresh.load();
    Trigger(fresh, ListAction::BringBack);
    EXPECT_EQ(fresh.state().format.TimeDisplayMode, TimeDisplay::TimeOfDay);
    EXPECT_EQ(Lines(fresh), heat2Alone);
}

} // namespace
