// The "Print" button on the system's default printer, as a CUPS daemon of
// the test's own provides it (see print/cups_print_test.sh).
#include "support/app_rig.h"
#include "support/pdf_words.h"
#include "support/scripted_prompt.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>

#include <numeric>

#include <gtest/gtest.h>

namespace {

TEST(RealPrinter, NoDefaultPrinterShowsTheMessage)
{
    if (qEnvironmentVariableIsEmpty("TRIVEX_EXPECT_NO_PRINTER"))
        GTEST_SKIP() << "run through print/cups_print_test.sh";
    ScriptedPrompt prompt;
    AppRig r(true, 5, &prompt);
    r.loadAndDownload();
    const auto table = r.state().store.RecordTable;
    r.click(AppRig::Button::Print);
    ASSERT_EQ(prompt.messages.size(), 1);
    EXPECT_TRUE(prompt.messages[0].startsWith("Nothing was printed. No default printer"));
    EXPECT_EQ(r.state().store.RecordTable, table);
}

TEST(RealPrinter, PrintButtonPrintsOnTheDefaultQueue)
{
    const QString job = qEnvironmentVariable("TRIVEX_CUPS_JOB_PDF");
    if (job.isEmpty())
        GTEST_SKIP() << "run through print/cups_print_test.sh";
    ScriptedPrompt prompt;
    AppRig r(true, 12, &prompt);
    r.loadAndDownload();
    r.click(AppRig::Button::Print);
    ASSERT_TRUE(prompt.messages.isEmpty()) << prompt.messages.join(" ").toStdString();

    // The queue writes the job when its filters are done.
    QElapsedTimer waited;
    waited.start();
    PdfText text;
    while (waited.elapsed() < 60000) {
        if (QFileInfo(job).size() > 0) {
            text = ReadPdfWords(job);
            if (text.ok && !text.words.empty())
                break;
        }
        QThread::msleep(200);
    }
    ASSERT_TRUE(text.ok && !text.words.empty()) << "no job arrived at " << job.toStdString();
    EXPECT_EQ(text.find("SEQ").size(), 1u);
    EXPECT_EQ(text.find("SPLIT3").size(), 1u);
    EXPECT_EQ(text.find("Date").size(), 1u);
    // Every record once, in order, under SEQ; the unit of the last line drawn.
    std::vector<int> expected(12);
    std::iota(expected.begin(), expected.end(), 1);
    EXPECT_EQ(text.numbersUnder("SEQ"), expected) << text.sample();
    EXPECT_EQ(text.valueOf("Unit").toStdString(), r.state().format.LastRecordLine.Source);
}

} // namespace
