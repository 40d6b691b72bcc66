// The operator line: how a download goes and how it ended, where the list was
// written, that it was printed.
#include "app/download_news.h"
#include "app/operator_line_texts.h"
#include "export/export_dialog.h"
#include "export/folder_list.h"
#include "support/app_rig.h"
#include "support/printers.h"
#include "support/record_fill.h"
#include "support/scripted_prompt.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

struct NewsRig : AppRig {
    QStringList news;
    QTemporaryDir dir;
    PdfPrinter pdf{dir.filePath("job.pdf")};
    explicit NewsRig(int records = 48, OperatorPrompt* prompt = nullptr, const QString& listsFolder = {})
        : AppRig(true, records, prompt, listsFolder)
    {
        QObject::connect(app.get(), &TimerApplication::newsShown, [this](const QString& n) { news << n; });
        app->setPrintSystem(pdf);
    }
    // "Print", on a printer that writes a PDF into the rig's folder; false when it never ended.
    bool print()
    {
        click(Button::Print);
        return waitForPrint();
    }
    // "Write File", then "Write" under this name in the rig's folder.
    void writeAs(const QString& name)
    {
        click(Button::WriteFile);
        ExportDialog* dialog = app->exportDialog();
        ASSERT_TRUE(dialog->folders().setPath(dir.path()));
        dialog->fileName().setText(name);
        dialog->write();
    }
};

TEST(OperatorNews, ADownloadIsToldFromTheAskingToItsEnd)
{
    NewsRig r;
    r.load();
    r.getMemory();
    EXPECT_EQ(r.line(), "Asking the unit for its records\u2026");
    r.tickUntilQuiet();
    ASSERT_GE(r.news.size(), 3) << r.news.join('|').toStdString();
    // The count rises as the records come, each told against the 48 the unit reports.
    const QStringList progress = r.news.filter("Downloading: ");
    ASSERT_GE(progress.size(), 5) << r.news.join('|').toStdString();
    int before = 0;
    for (const QString& p : progress) {
        const auto m = QRegularExpression("^Downloading: (\\d+) of 48 records$").match(p);
        ASSERT_TRUE(m.hasMatch()) << p.toStdString();
        EXPECT_GT(m.captured(1).toInt(), before);
        before = m.captured(1).toInt();
    }
    EXPECT_EQ(before, 48);
    EXPECT_TRUE(QRegularExpression("^Download complete: 48 records, at \\d\\d:\\d\\d:\\d\\d\\.$")
                    .match(r.line())
                    .hasMatch())
        << r.line().toStdString();
}

TEST(OperatorNews, AUnitUnpluggedInTheMiddleIsToldWithTheRecordsThatAreMissing)
{
    NewsRig r;
    r.load();
    // About 20 records' worth of reports, then the unit is gone.
    r.unit.unplugAfterReports(110);
    r.getMemory();
    r.tickUntilQuiet();
    EXPECT_TRUE(r.captions.contains("Readfile Timeout "));
    EXPECT_TRUE(r.line().startsWith("Download stopped short (the unit went quiet or was unplugged): "))
        << r.line().toStdString();
    EXPECT_TRUE(r.line().endsWith("-48.")) << r.line().toStdString();
}

TEST(OperatorNews, TheExportAndThePrintAreTold)
{
    ScriptedPrompt prompt;
    NewsRig r(5, &prompt);
    r.loadAndDownload();
    ASSERT_TRUE(r.print());
    EXPECT_TRUE(r.line().startsWith("The list was sent to the printer")) << r.line().toStdString();

    r.writeAs("Heat1.txt");
    EXPECT_EQ(r.line(), "The list was written to " + QDir::toNativeSeparators(r.dir.filePath("Heat1.txt")));

    // A write that fails does not leave the news of the last one standing.
    r.writeAs("no-such-folder/Heat2.txt");
    EXPECT_EQ(prompt.messages.size(), 1) << prompt.messages.join('|').toStdString();
    EXPECT_EQ(r.line(), "The list was not written to "
                            + QDir::toNativeSeparators(r.dir.filePath("no-such-folder/Heat2.txt"))
                            + "; the records are kept.");
}

// The kept list says where and when it was printed and exported; a print
// that ends after another list was brought back belongs to the one it took.
TEST(OperatorNews, TheKeptListSaysWhereAndWhenItWentOut)
{
    QTemporaryDir lists;
    NewsRig r(5, nullptr, lists.path());
    r.loadAndDownload();
    r.writeAs("Heat1.txt");
    r.click(AppRig::Button::Print);
    r.getMemory();
    r.tickUntilQuiet();
    ASSERT_TRUE(r.waitForPrint());
    const auto kept = r.app->keeper().lists();
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[1].exportedTo, QDir::toNativeSeparators(r.dir.filePath("Heat1.txt")));
    EXPECT_FALSE(kept[1].printedOn.isEmpty());
    EXPECT_LE(kept[1].exportedAt, kept[1].printedAt);
    EXPECT_TRUE(kept[0].exportedTo.isEmpty() && kept[0].printedOn.isEmpty());
}

// An export and a print made while records still arrive say so; none of the
// records yet to come is told as never come.
TEST(OperatorNews, AListTakenDuringADownloadIsToldAsSuch)
{
    ScriptedPrompt prompt;
    NewsRig r(60, &prompt);
    r.load();
    r.getMemory();
    r.app->Timer1Tick();
    while (r.state().records.table().RecordCount < 20 && r.step()) {
    }
    ASSERT_TRUE(r.unit.sending());
    const QString running = QStringLiteral(" The download was still running: %1 of 60 records were in the list.")
                                .arg(r.state().records.table().RecordCount);
    ASSERT_TRUE(r.print());
    EXPECT_TRUE(r.line().endsWith(running)) << r.line().toStdString();

    r.writeAs("Heat1.txt");
    EXPECT_TRUE(r.line().endsWith(running)) << r.line().toStdString();
    EXPECT_FALSE(r.line().contains("never came")) << r.line().toStdString();
}

// How the news reads the table when the link is lost, or the stream ends.
TEST(DownloadNews, TheEndIsToldFromTheRecordsThatCame)
{
    struct Case {
        const char* name;
        int filed;
        int reported;
        bool linkLost;
        const char* said;
    };
    const Case cases[] = {
        {"all came, then the stream ended", 5, 5, false, "Download complete: 5 records, at 10:00:00."},
        {"all came, then the unit went quiet", 5, 5, true, "Download complete: 5 records, at 10:00:00."},
        {"three of five, then unplugged", 3, 5, true,
         "Download stopped short (the unit went quiet or was unplugged): 3 of 5 records came; missing 4, 5."},
        {"three of five, then the stream ended", 3, 5, false,
         "Download stopped short: 3 of 5 records came; missing 4, 5."},
        {"nothing, then unplugged", 0, 0, true, "The unit went quiet or was unplugged before any record came."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordTableState store;
        FillRecords(store, c.filed);
        store.ReportedRecordCount = static_cast<std::int16_t>(c.reported);
        DownloadNews news;
        news.asked(0);
        const auto said = c.linkLost ? news.linkLost(store, "10:00:00")
                                     : news.polled(store, true, true, 10'000'000, "10:00:00");
        ASSERT_TRUE(said.has_value());
        EXPECT_EQ(*said, c.said);
        EXPECT_FALSE(news.watching());
    }
}

// What the news of an export or a print adds about the list it took.
TEST(DownloadNews, TheListsGapsAndAStrayCountAreTold)
{
    struct Case {
        const char* name;
        int filed;
        int reported;
        std::vector<int> blank; // records emptied after filing
        const char* said;
    };
    const Case cases[] = {
        {"whole", 5, 5, {}, ""},
        {"nothing downloaded", 0, 0, {}, ""},
        {"records below the count never came", 9, 9, {4, 6, 7, 8}, "Records 4, 6-8 never came; their lines are blank."},
        {"the count above the records filed", 5, 8, {}, "Records 6-8 never came; their lines are blank."},
        {"a stray frame's low count", 255, 1, {}, "The unit's last count was 1; all 255 records are listed."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordTableState store;
        FillRecords(store, c.filed);
        for (int r : c.blank)
            store.RecordTable[static_cast<std::size_t>(r)] = RecordTableState().RecordTable[static_cast<std::size_t>(r)];
        store.ReportedRecordCount = static_cast<std::int16_t>(c.reported);
        EXPECT_EQ(OperatorLineText::ListCaveat(store), c.said);
    }
}

} // namespace
