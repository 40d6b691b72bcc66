#include "app/unit_not_opened_texts.h"
#include "support/app_rig.h"
#include "support/scripted_prompt.h"

#include "export/export_dialog.h"

#include "presentation/focus_scroll_bar.h"
#include "presentation/results_picture.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(StartUp, WithTheUnit)
{
    AppRig r;
    EXPECT_TRUE(r.caption().isEmpty());
    r.load();
    EXPECT_EQ(r.captions, (QStringList{"USB Connected ", "USB Communication OK"}));
    EXPECT_EQ(r.unit.commands(), (std::vector<std::uint8_t>{141}));
    // 40 report intervals of the first read, then more than half a second.
    EXPECT_GT(r.clock.nowUs(), 400000 + 500000);
    EXPECT_TRUE(r.app->window().pollTimer().isActive());
    EXPECT_EQ(r.app->window().pollTimer().interval(), 250);
    EXPECT_EQ(r.app->window().scrollBar().maximum(), 0);
    EXPECT_EQ(r.seqAt(4), "");
    EXPECT_EQ(r.app->results().rowTexts(0).size(), 8u);
}

// The window is shown as Load returns: the start-up read, its wait and the
// start-up command follow from the event loop, however slow the unit.
TEST(StartUp, LoadReturnsBeforeTheReadAndASlowUnitHoldsNothingUp)
{
    AppRig r(SampleRace(36000000, 7, 10), true, nullptr, {.reportIntervalUs = 450000});
    r.app->Load();
    EXPECT_EQ(r.clock.nowUs(), 0);
    EXPECT_FALSE(r.app->started());
    EXPECT_TRUE(r.unit.commands().empty());
    // Pressed before the unit has had its start-up command: asked after it.
    r.click(AppRig::Button::GetMemory);
    EXPECT_EQ(r.line(), "The unit is being started; its records are asked for next.");
    r.settle();
    EXPECT_TRUE(r.app->started());
    EXPECT_EQ(r.unit.commands(), (std::vector<std::uint8_t>{141, 151}));
    EXPECT_TRUE(r.app->window().pollTimer().isActive());
}

TEST(StartUp, WithoutTheUnit)
{
    AppRig r(false);
    r.load();
    EXPECT_EQ(r.hid.enumerations(), 3);
    EXPECT_EQ(r.caption(), "USB Not Found ");
    EXPECT_TRUE(r.unit.commands().empty());
    EXPECT_EQ(r.hid.openHandles(), 0);
    EXPECT_TRUE(r.app->window().pollTimer().isActive());
    r.tickUntilQuiet();
    EXPECT_EQ(r.caption(), "USB Not Found ");
}

TEST(StartUp, TheUnitPluggedInLaterIsFoundByTheNextTick)
{
    AppRig r(false);
    r.load();
    r.hid.addUnit("unit", r.unit);
    r.tickUntilQuiet();
    EXPECT_TRUE(r.captions.contains("USB Connected "));
    EXPECT_EQ(r.unit.commandCount(141), 0); // the start-up command is not sent later
}

TEST(GetMemory, DownloadsAndListsEveryRecord)
{
    AppRig r;
    r.load();
    r.getMemory();
    EXPECT_EQ(r.unit.commandCount(151), 1);
    EXPECT_TRUE(r.app->window().pollTimer().isActive());
    r.tickUntilQuiet();
    EXPECT_EQ(r.state().records.table().RecordCount, 48);
    EXPECT_EQ(r.state().records.table().ReportedRecordCount, 48);
    EXPECT_TRUE(r.tableHoldsMemory());
    // The view follows the newest records: 18..48 at the scroll maximum.
    EXPECT_EQ(r.app->window().scrollBar().maximum(), 17);
    EXPECT_EQ(r.app->window().scrollBar().value(), 17);
    EXPECT_EQ(r.seqAt(4), "18");
    EXPECT_EQ(r.seqAt(34), "48");
}

TEST(GetMemory, ASecondDownloadClearsMarksAndListsAgain)
{
    AppRig r;
    r.loadAndDownload();
    r.editTable().RecordTable[20][RecordField::MarkState] = 1;
    r.click(AppRig::Button::SortTime);
    r.getMemory();
    EXPECT_EQ(r.state().records.table().RecordCount, 0);
    EXPECT_TRUE(r.app->results().rowTexts(4).empty());
    for (int row = 0; row < 256; ++row) {
        EXPECT_TRUE(r.state().records.table().rowIsEmpty(row));
        EXPECT_EQ(r.state().records.table().RecordTable[static_cast<std::size_t>(row)][RecordField::Sequence], row);
    }
    r.tickUntilQuiet();
    EXPECT_EQ(r.unit.commandCount(151), 2);
    EXPECT_TRUE(r.tableHoldsMemory());
    EXPECT_EQ(r.seqAt(4), "18"); // record order again, not the last sort's
    for (int row = 1; row <= 48; ++row)
        EXPECT_EQ(r.state().records.table().RecordTable[static_cast<std::size_t>(row)][RecordField::MarkState], 0);
}

TEST(GetMemory, ThePauseHoldsNothingAndPressesMeanwhileAskOnce)
{
    AppRig r;
    r.loadAndDownload();
    const std::int64_t pressed = r.clock.nowUs();
    for (int n = 0; n < 5; ++n)
        r.click(AppRig::Button::GetMemory);
    EXPECT_EQ(r.clock.nowUs(), pressed);
    EXPECT_EQ(r.state().records.table().RecordCount, 0);
    EXPECT_FALSE(r.app->window().pollTimer().isActive());
    EXPECT_EQ(r.unit.commandCount(151), 1); // the first download's
    r.settle();
    EXPECT_EQ(r.unit.commandCount(151), 2);
    EXPECT_GT(r.clock.nowUs(), pressed + 100000);
    EXPECT_TRUE(r.app->window().pollTimer().isActive());
    r.tickUntilQuiet();
    EXPECT_TRUE(r.tableHoldsMemory());
    // Exit during the pause: the unit is not asked after all.
    r.click(AppRig::Button::GetMemory);
    r.click(AppRig::Button::Exit);
    r.settle();
    EXPECT_EQ(r.unit.commandCount(151), 2);
}

// A unit silent while idle that starts its answer 300 to 450 ms after the
// command, pressed at moments all through the wait of a read already under
// way: the answer always comes within the 500 ms that count from the command.
TEST(GetMemory, AnAnswerWithinTheWaitFromTheCommandIsNeverToldAsLost)
{
    for (const std::int64_t answerUs : {300000, 450000})
        for (const std::int64_t intoTheWaitUs : {0, 150000, 300000, 390000}) {
            SCOPED_TRACE(std::to_string(answerUs / 1000) + " ms answer, pressed "
                         + std::to_string(intoTheWaitUs / 1000) + " ms into a read's wait");
            AppRig r(SampleRace(36000000, 7, 60), true, nullptr, {.idleReports = false, .answerDelayUs = answerUs});
            r.load();
            r.clock.advanceUs(250000);
            r.tickUntilWaiting();
            r.clock.advanceUs(intoTheWaitUs);
            r.getMemory();
            r.settle();
            r.tickUntilQuiet();
            EXPECT_TRUE(r.line().startsWith("Download complete: 60 records")) << r.line().toStdString();
            EXPECT_TRUE(r.tableHoldsMemory());
        }
}

// With no unit to ask, "Get Memory" throws nothing away and says why.
TEST(GetMemory, WithoutTheUnitKeepsTheRecordsAndSaysSo)
{
    AppRig r(false);
    r.load();
    r.editTable().RecordTable[3][RecordField::StartTime] = 9;
    r.editTable().RecordTable[3][RecordField::MarkState] = 1;
    r.editTable().RecordCount = 3;
    const auto table = r.state().records.table().RecordTable;
    r.getMemory();
    EXPECT_EQ(r.caption(), "USB Not Found ");
    EXPECT_TRUE(r.app->window().pollTimer().isActive());
    EXPECT_EQ(r.state().records.table().RecordTable, table);
    EXPECT_EQ(r.state().records.table().RecordCount, 3);
    EXPECT_TRUE(r.app->window().operatorLine().text().startsWith("No timing unit was found: the records are kept."));
    // The command is not kept for later.
    r.hid.addUnit("unit", r.unit);
    r.tickUntilQuiet();
    EXPECT_TRUE(r.captions.contains("USB Connected "));
    EXPECT_EQ(r.unit.commandCount(151), 0);
}

TEST(Buttons, SortAndTimeModes)
{
    AppRig r;
    r.loadAndDownload();
    r.click(AppRig::Button::SortBib);
    int previous = -1;
    for (int row = 4; row <= 34; ++row) {
        ASSERT_EQ(r.app->results().rowTexts(row).size(), 8u) << row;
        const int bib = std::stoi(r.app->results().rowTexts(row)[1]);
        EXPECT_GE(bib, previous) << row;
        previous = bib;
    }
    r.click(AppRig::Button::SortSeq);
    EXPECT_EQ(r.seqAt(4), "18");
    r.click(AppRig::Button::DayTime);
    EXPECT_EQ(r.app->results().rowTexts(4)[3].size(), 11u); // HH:MM:SS:hh
    EXPECT_EQ(r.app->results().rowTexts(4)[3][2], ':');
    r.click(AppRig::Button::Time);
    EXPECT_NE(r.app->results().rowTexts(4)[3].find('.'), std::string::npos);
}

TEST(Buttons, SortWithNoRecordsDrawsHeadingsOnly)
{
    AppRig r;
    r.load();
    for (const auto b : {AppRig::Button::SortTime, AppRig::Button::SortBib, AppRig::Button::SortSeq,
                         AppRig::Button::Time, AppRig::Button::DayTime}) {
        SCOPED_TRACE(r.button(b).objectName().toStdString());
        r.click(b);
        EXPECT_EQ(r.app->results().rowTexts(0).size(), 8u);
        EXPECT_TRUE(r.app->results().rowTexts(4).empty());
    }
}

TEST(Picture, ClickingALineCyclesItsMark)
{
    AppRig r(true, 10);
    r.loadAndDownload();
    // View row 5: record 2.
    r.clickLine(5);
    EXPECT_EQ(r.seqAt(5), "2   *");
    r.clickLine(5, Qt::RightButton);
    EXPECT_EQ(r.seqAt(5), "2   DQ");
}

TEST(Unplug, InTheMiddleOfADownloadLosesNothing)
{
    AppRig r;
    r.load();
    r.unit.unplugAfterReports(120);
    r.getMemory();
    r.tickUntilQuiet();
    EXPECT_TRUE(r.captions.contains("Readfile Timeout "));
    const int filed = r.state().records.table().RecordCount;
    EXPECT_GT(filed, 10);
    EXPECT_LT(filed, 48);
    r.tickUntilQuiet();
    EXPECT_EQ(r.caption(), "USB Not Found ");
    EXPECT_EQ(r.state().records.table().RecordCount, filed); // still there

    r.unit.plugIn();
    r.captions.clear();
    r.tickUntilQuiet();
    EXPECT_EQ(r.captions.first(), "USB Connected ");
    r.getMemory();
    r.tickUntilQuiet();
    EXPECT_EQ(r.state().records.table().RecordCount, 48);
    EXPECT_TRUE(r.tableHoldsMemory());
    std::vector<int> seen(256, 0);
    for (const auto& row : r.state().records.table().RecordTable)
        ++seen[static_cast<std::size_t>(row[RecordField::Sequence])];
    EXPECT_TRUE(std::all_of(seen.begin(), seen.end(), [](int c) { return c == 1; }));
}

TEST(Unplug, FaultsInTheStreamAreAbsorbed)
{
    AppRig r;
    r.load();
    r.unit.injectStrayBytes({0x65, 0x66, 1, 2, 3, 0x67});
    r.unit.cutFrameShort(5, 20);
    r.unit.sendAgain({7, 8});
    r.getMemory();
    r.tickUntilQuiet();
    EXPECT_EQ(r.state().records.table().RecordCount, 48);
    EXPECT_TRUE(r.state().records.table().rowIsEmpty(5));
    r.getMemory();
    r.tickUntilQuiet();
    EXPECT_TRUE(r.tableHoldsMemory());
}

TEST(StartUp, AUnitThatCannotBeOpenedIsExplainedOnceAndTheCaptionStays)
{
    ScriptedPrompt prompt;
    AppRig r(std::vector<TimerRecordBytes>{}, false, &prompt);
    r.hid.addUnopenable("1-2:1.0", 0x04B4, 0x5500, OpenFailure::NoPermission);
    r.load();
    r.tickUntilQuiet(10);
    EXPECT_EQ(r.caption(), "USB Not Found ");
    ASSERT_EQ(prompt.notices.size(), 1);
    EXPECT_EQ(prompt.notices[0], OperatorLineText::UnitNotOpened("1-2:1.0", OpenFailure::NoPermission));
    EXPECT_TRUE(prompt.messages.isEmpty()); // nothing that waits for an answer
}

// Tab walks every control of the window in turn, the list's redraws
// notwithstanding; the scroll bar is left out of the walk.
TEST(Keyboard, TabReachesEveryControlInTurn)
{
    AppRig r(true, 40);
    r.load();
    r.app->window().showCentred();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&r.app->window()));
    r.getMemory();
    r.tickUntilQuiet();
    r.app->window().button(MainWindow::Button::Exit).setFocus();
    QStringList visited;
    for (int i = 0; i < 10; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(visited, (QStringList{"Picture1", "WriteFile", "Reset", "MilitaryT", "Normal", "Command1", "SortTime",
                                    "SortBib", "SortSeq", "Exit"}));
}

TEST(Shutdown, ClosingTheWindowHidesTheExportDialog)
{
    ScriptedPrompt prompt;
    AppRig r(true, 5, &prompt);
    r.load();
    r.app->window().show();
    r.click(AppRig::Button::WriteFile);
    ASSERT_TRUE(r.app->exportDialog()->isVisible());
    r.app->window().close();
    EXPECT_FALSE(r.app->exportDialog()->isVisible());
}

TEST(Shutdown, ExitClosesTheDeviceOnce)
{
    AppRig r;
    r.load();
    r.click(AppRig::Button::Exit);
    EXPECT_EQ(r.exitRequests, 1);
    EXPECT_EQ(r.hid.closes("unit"), 1);
    EXPECT_FALSE(r.app->window().pollTimer().isActive());
    r.app.reset();
    EXPECT_EQ(r.hid.closes("unit"), 1);
}

TEST(Shutdown, ClosingTheWindowClosesTheDeviceOnce)
{
    AppRig r;
    r.load();
    r.app->window().show();
    EXPECT_TRUE(r.app->window().close());
    EXPECT_EQ(r.hid.closes("unit"), 1);
    EXPECT_EQ(r.exitRequests, 0);
    r.app.reset();
    EXPECT_EQ(r.hid.closes("unit"), 1);
}

TEST(Shutdown, ExitWithoutAnOpenLinkClosesNothing)
{
    AppRig r(false);
    r.load();
    r.click(AppRig::Button::Exit);
    EXPECT_EQ(r.hid.openHandles(), 0);
    EXPECT_EQ(r.exitRequests, 1);
}

} // namespace
