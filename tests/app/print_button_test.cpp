#include "app/program_run.h"
#include "support/app_rig.h"
#include "support/printers.h"
#include "support/scripted_prompt.h"

#include <QPrinter>

#include <chrono>
#include <cstdlib>

#include <gtest/gtest.h>

namespace {

// The records stay as they were; the list was formatted as described, so
// the line formatted last is now the last one listed.
TEST(PrintButton, WithoutAPrinterSaysSoAndChangesNothing)
{
    ScriptedPrompt prompt;
    AppRig r(true, 12, &prompt);
    NoPrinter none;
    r.app->setPrintSystem(none);
    r.loadAndDownload();
    const auto [drawnLast, listedLast] = r.redrawALineUnlikeTheLast();
    ASSERT_NE(drawnLast, listedLast);
    const auto table = r.state().records.table().RecordTable;
    r.click(AppRig::Button::Print);
    ASSERT_TRUE(r.waitForPrint());
    ASSERT_EQ(prompt.messages.size(), 1);
    EXPECT_TRUE(prompt.messages[0].startsWith("Nothing was printed."));
    EXPECT_TRUE(prompt.messages[0].contains("the records are kept"));
    EXPECT_EQ(r.state().records.table().RecordTable, table);
    EXPECT_EQ(r.state().format.lastRecordLine.Source, listedLast);
}

TEST(PrintButton, APrinterThatFailsIsReportedAndTheRecordsStay)
{
    ScriptedPrompt prompt;
    // A PDF printer whose file cannot be created: the job cannot begin.
    PdfPrinter broken("/proc/no-such-folder/job.pdf");
    AppRig r(true, 5, &prompt);
    r.app->setPrintSystem(broken);
    r.loadAndDownload();
    const auto table = r.state().records.table().RecordTable;
    r.click(AppRig::Button::Print);
    ASSERT_TRUE(r.waitForPrint());
    ASSERT_EQ(prompt.messages.size(), 1);
    EXPECT_TRUE(prompt.messages[0].startsWith("Printing failed: "));
    EXPECT_TRUE(prompt.messages[0].contains("The records are kept"));
    EXPECT_EQ(r.state().records.table().RecordTable, table);
}

// A print system that does not answer holds neither the window nor Exit.
TEST(PrintButton, APrintSystemThatDoesNotAnswerHoldsNothing)
{
    ScriptedPrompt prompt;
    SilentPrinter silent;
    AppRig r(true, 5, &prompt);
    r.app->setPrintSystem(silent);
    r.loadAndDownload();
    r.click(AppRig::Button::Print);
    EXPECT_TRUE(r.app->printing());
    EXPECT_EQ(r.line(), "Sending the list to the printer\u2026");
    // Pressed again meanwhile: one job, and the operator is told why.
    r.click(AppRig::Button::Print);
    EXPECT_EQ(r.line(), "The list is still being sent to the printer.");
    // The list goes on answering.
    r.click(AppRig::Button::SortBib);
    r.tick();
    EXPECT_TRUE(prompt.messages.isEmpty());

    silent.letGo();
    ASSERT_TRUE(r.waitForPrint());
    ASSERT_EQ(prompt.messages.size(), 1);
    EXPECT_EQ(prompt.messages[0], "Nothing was printed. The print service of this computer did not answer. The "
                                  "records are kept; press Print again when the printer is ready.");
    EXPECT_EQ(r.line(), "Nothing was printed: the print service did not answer.");
    EXPECT_TRUE(r.tableHoldsMemory());
}

TEST(PrintButton, ClosingDuringAPrintEndsItsWait)
{
    SilentPrinter silent;
    auto r = std::make_unique<AppRig>(true, 5, nullptr);
    r->app->setPrintSystem(silent);
    r->loadAndDownload();
    r->click(AppRig::Button::Print);
    ASSERT_TRUE(r->app->printing());
    r.reset();
    EXPECT_TRUE(silent.stopped());
}

// The end of the program, "Exit" or the window's close, stops a print that
// listens and returns; one that the print system holds on to is left behind
// by ending the process at once.
TEST(PrintButton, TheEndOfTheProgramNeverWaitsForAPrint)
{
    {
        SilentPrinter silent;
        AppRig r(true, 5, nullptr);
        r.app->setPrintSystem(silent);
        r.loadAndDownload();
        r.click(AppRig::Button::Print);
        ASSERT_TRUE(r.app->printing());
        EXPECT_EQ(FinishTimerProgram(*r.app, 3, std::chrono::seconds(20)), 3);
        EXPECT_TRUE(silent.stopped());
    }
#if GTEST_HAS_DEATH_TEST
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            DeafPrinter deaf(std::chrono::seconds(60));
            AppRig r(true, 5, nullptr);
            r.app->setPrintSystem(deaf);
            r.loadAndDownload();
            r.click(AppRig::Button::Print);
            deaf.waitUntilCalled();
            FinishTimerProgram(*r.app, 3);
            std::_Exit(5); // it waited for the print after all
        },
        testing::ExitedWithCode(3), "");
#endif
}

} // namespace
