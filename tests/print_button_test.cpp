#include "support/app_rig.h"
#include "support/printers.h"
#include "support/scripted_prompt.h"

#include <QPrinter>

#include <gtest/gtest.h>

namespace {

TEST(PrintButton, WithoutAPrinterSaysSoAndChangesNothing)
{
    ScriptedPrompt prompt;
    AppRig r(true, 5, &prompt);
    NoPrinter none;
    r.app->setDefaultPrinter(none);
    r.loadAndDownload();
    const std::string source = r.state().format.LastRecordLine.Source;
    const auto table = r.state().store.RecordTable;
    r.click(AppRig::Button::Print);
    ASSERT_EQ(prompt.messages.size(), 1);
    EXPECT_TRUE(prompt.messages[0].startsWith("Nothing was printed."));
    EXPECT_TRUE(prompt.messages[0].contains("the records are kept"));
    EXPECT_EQ(r.state().store.RecordTable, table);
    EXPECT_EQ(r.state().format.LastRecordLine.Source, source);
}

TEST(PrintButton, APrinterThatFailsIsReportedAndTheRecordsStay)
{
    ScriptedPrompt prompt;
    // A PDF printer whose file cannot be created: the job cannot begin.
    PdfPrinter broken("/proc/no-such-folder/job.pdf");
    AppRig r(true, 5, &prompt);
    r.app->setDefaultPrinter(broken);
    r.loadAndDownload();
    const auto table = r.state().store.RecordTable;
    r.click(AppRig::Button::Print);
    ASSERT_EQ(prompt.messages.size(), 1);
    EXPECT_TRUE(prompt.messages[0].startsWith("Printing failed: "));
    EXPECT_TRUE(prompt.messages[0].contains("The records are kept"));
    EXPECT_EQ(r.state().store.RecordTable, table);
}

} // namespace
