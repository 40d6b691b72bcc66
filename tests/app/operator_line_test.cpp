// Every text the operator line can show is whole on the window, with the
// longest numbers, printer names and paths it can meet: built for scale 1
// (offscreen and on a real X window) and for 1.5 and 2.
#include "app/main_window.h"
#include "app/operator_line.h"
#include "app/operator_line_texts.h"
#include "support/record_fill.h"

#include <QGuiApplication>
#include <QTest>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

struct Told {
    QString text;
    QString path;
};

// A download of 255 records of which every other one never came.
RecordTableState HalfCame()
{
    RecordTableState store;
    FillRecords(store, 255);
    for (int gone = 2; gone <= 255; gone += 2)
        std::fill(store.RecordTable[static_cast<std::size_t>(gone)].begin(),
                  store.RecordTable[static_cast<std::size_t>(gone)].begin() + RecordField::Sequence, 0);
    store.ReportedRecordCount = 255;
    return store;
}

std::vector<Told> EveryText()
{
    using namespace OperatorLineText;
    const RecordTableState store = HalfCame();
    RecordTableState lowCount;
    FillRecords(lowCount, 255);
    lowCount.ReportedRecordCount = 1;
    const QString caveats[] = {ListCaveat(store), ListCaveat(lowCount), DownloadStillRunning({254, 255, {255}})};
    std::vector<Told> told{{UnitBeingStarted(), {}},
                           {NoUnitForGetMemory(), {}},
                           {AskingForRecords(), {}},
                           {Downloading(255, 255), {}},
                           {DownloadComplete(255, QStringLiteral("23:59:59")), {}},
                           {DownloadStoppedShort(CountDownload(store), true), {}},
                           {DownloadStoppedShort(CountDownload(store), false), {}},
                           {NoRecordsSent(), {}},
                           {NoUnitNothingDownloaded(), {}},
                           {QuietBeforeAnyRecord(), {}},
                           {SendingToPrinter(), {}},
                           {StillPrinting(), {}}};
    const QString printer = QStringLiteral("Finish-line laser printer, second floor");
    const QString detail = QStringLiteral("Service Unavailable");
    for (const PrintOutcome outcome : {PrintOutcome::Sent, PrintOutcome::Held, PrintOutcome::NoPrinter,
                                       PrintOutcome::Refused, PrintOutcome::NotRunning, PrintOutcome::NotAnswering,
                                       PrintOutcome::TimedOut, PrintOutcome::StoppedAnswering, PrintOutcome::Unconfirmed,
                                       PrintOutcome::Failed})
        for (const QString& caveat : caveats)
            told.push_back({TellPrintOutcome({outcome, printer, detail}, caveat).line, {}});
    const QString paths[] = {
        QStringLiteral("/media/operator/TIMING STICK/Races 2026/Spring series/Heat 12 juniors and seniors/"
                       "final results of heat 12 after the protest.txt"),
        QStringLiteral("C:\\Users\\timekeeper\\Documents\\Results\\2026-05-16_Regional_championship_"
                       "long_distance_all_categories_combined\\heat-12-final-results-after-protest.txt"),
        QStringLiteral("/srv/results/") + QString(200, QLatin1Char('x')) + QStringLiteral("/heat-12.txt"),
    };
    for (const QString& path : paths) {
        for (const QString& caveat : caveats)
            for (ExportFormat format : {ExportFormat::FixedColumns, ExportFormat::Spreadsheet, ExportFormat::Workbook})
                told.push_back({ListWritten(format, caveat), path});
        told.push_back({ListNotWritten(), path});
        for (StoreTrouble trouble : {StoreTrouble::Damaged, StoreTrouble::Newer, StoreTrouble::FolderNotWritable, StoreTrouble::DiskFull, StoreTrouble::LogDamaged, StoreTrouble::NotOwn})
            told.push_back({ListsNotKept({.open = true, .trouble = trouble, .setAsideAs = path}, path).text, path});
        told.push_back({ListsNotKept({.open = true, .trouble = StoreTrouble::LogDamaged, .setAsideAs = path,
                                      .logLeftInPlace = true},
                                     path)
                            .text,
                        path});
        // The longest of what a damaged store's lists came to.
        told.push_back({ListsNotKept({.open = true, .trouble = StoreTrouble::Damaged, .setAsideAs = path,
                                      .listsSaved = 199, .listsLost = 200},
                                     path)
                            .text,
                        path});
    }
    // The kept lists, with the longest numbers and a date and time in the
    // locale's long-winded short form.
    const KeptListSummary list{.downloaded = QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59)), .records = 255,
                               .marks = 255};
    const QString why = QStringLiteral("database or disk is full");
    for (const QString& text :
         {KeptListOffered(list, QStringLiteral("Ctrl+R")), ListBroughtBack(list), NoKeptList(), KeptListUnreadable(),
          BringBackAfterTheDownload(), BringBackAfterTheStartUp(), ListsNoLongerKept(why), MarkUndone(255, 999, 2, QStringLiteral("Ctrl+Shift+Z")),
          MarkRedone(255, 999, 0), WithEarlierListKept(DownloadStoppedShort(CountDownload(HalfCame()), true), QStringLiteral("Ctrl+R"),
                              QStringLiteral("Ctrl+L")), NothingToUndo(), NothingToRedo(),
          ListsNotKept({.trouble = StoreTrouble::InUse}, {}).text,
          ListsNotKept({.trouble = StoreTrouble::HeldElsewhere, .heldOn = QStringLiteral("race-laptop-17")}, {}).text,
          ListsKeptAgain(), OnlyKeptListOnScreen(), ListsNotKept({.trouble = StoreTrouble::Damaged}, {}).text})
        told.push_back({text, {}});
    return told;
}

// The lines the text takes at the box's width, laid out on their own.
std::vector<QTextLine> LaidOut(QTextLayout& layout, const QRect& box)
{
    QTextOption option(OperatorLine::Alignment);
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    std::vector<QTextLine> lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(box.width());
        lines.push_back(line);
    }
    layout.endLayout();
    return lines;
}

// With TRIVEX_SCREENSHOT_DIR set, the window showing two of the texts that
// wrap furthest, for the documentation.
void SaveScreenshot(QWidget& window, const QString& whole)
{
    const QString dir = qEnvironmentVariable("TRIVEX_SCREENSHOT_DIR");
    if (dir.isEmpty())
        return;
    QString name;
    if (whole.startsWith(QLatin1String("Download stopped short (")))
        name = QStringLiteral("operator-line-download");
    else if (whole.startsWith(QLatin1String("The list was written to /media")) && whole.contains(QLatin1String("never came")))
        name = QStringLiteral("operator-line-path");
    if (!name.isEmpty())
        window.grab().save(QStringLiteral("%1/%2.png").arg(dir, name));
}

TEST(OperatorLine, EveryTextIsWholeOnTheWindow)
{
    MainWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    OperatorLine& line = window.operatorLine();
    const QRect box = line.contentsRect();
    for (const Told& t : EveryText()) {
        const QString whole = t.path.isEmpty() ? t.text : t.text.arg(t.path);
        SCOPED_TRACE(whole.toStdString());
        line.showNews(t.text, t.path);
        const QString shown = line.text();
        SaveScreenshot(window, whole);

        QTextLayout layout(shown, line.font());
        const std::vector<QTextLine> lines = LaidOut(layout, box);
        double height = 0;
        for (const QTextLine& l : lines) {
            EXPECT_LE(l.naturalTextWidth(), box.width() + 0.5) << "a line runs past the box";
            height += l.height();
        }
        EXPECT_LE(height, box.height() + 0.5) << lines.size() << " lines";

        const qsizetype at = t.path.isEmpty() ? whole.size() : t.text.indexOf(QLatin1String("%1"));
        if (t.path.isEmpty()) {
            EXPECT_EQ(shown, whole);
            continue;
        }
        // The sentence around the path whole, the path shortened in its middle
        // with the file name kept.
        const QString name = t.path.mid(std::max(t.path.lastIndexOf('/'), t.path.lastIndexOf('\\')) + 1);
        const QString after = t.text.mid(at + 2);
        EXPECT_TRUE(shown.startsWith(whole.left(at))) << shown.toStdString();
        EXPECT_TRUE(shown.endsWith(name + after)) << shown.toStdString();
        EXPECT_TRUE(shown.contains(t.path.left(4))) << shown.toStdString();
        EXPECT_EQ(line.toldText(), whole);
    }
}

} // namespace
