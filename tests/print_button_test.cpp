#include "support/app_rig.h"
#include "support/pdf_words.h"
#include "support/printers.h"
#include "support/scripted_prompt.h"

#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(PrintButton, WithoutAPrinterSaysSoAndChangesNothing)
{
    ScriptedPrompt prompt;
    AppRig r(true, 5, &prompt);
    NoPrinter none;
    r.app->setDefaultPrinter(none);
    r.app->Load();
    r.click(AppRig::Button::GetMemory);
    r.tickUntilQuiet();
    const std::string source = r.state().format.LastRecordLine.Source;
    const auto table = r.state().store.RecordTable;
    r.click(AppRig::Button::Print);
    ASSERT_EQ(prompt.messages.size(), 1);
    EXPECT_TRUE(prompt.messages[0].startsWith("Nothing was printed."));
    EXPECT_TRUE(prompt.messages[0].contains("the records are kept"));
    EXPECT_EQ(r.state().store.RecordTable, table);
    EXPECT_EQ(r.state().format.LastRecordLine.Source, source);
}

TEST(PrintButton, PrintsTheDownloadedRecords)
{
    ScriptedPrompt prompt;
    QTemporaryDir dir;
    PdfPrinter pdf(dir.filePath("job.pdf"));
    AppRig r(true, 5, &prompt);
    r.app->setDefaultPrinter(pdf);
    r.app->Load();
    r.click(AppRig::Button::GetMemory);
    r.tickUntilQuiet();
    r.click(AppRig::Button::Print);
    EXPECT_TRUE(prompt.messages.isEmpty());
    const PdfText text = ReadPdfWords(dir.filePath("job.pdf"));
    ASSERT_TRUE(text.ok);
    EXPECT_EQ(text.find("SEQ").size(), 1u);
    EXPECT_EQ(text.find("5").size() >= 1, true);
    EXPECT_EQ(text.find(QString::fromStdString(r.state().format.LastRecordLine.Source)).size() >= 1, true);
}

} // namespace
