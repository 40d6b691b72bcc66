#include "app/results_report.h"
#include "print/printed_report.h"
#include "support/app_rig.h"
#include "support/printers.h"
#include "support/scripted_prompt.h"
#include "presentation/record_line.h"
#include "support/pdf_words.h"
#include "support/record_fill.h"

#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

constexpr double PointsPerMm = 72.0 / 25.4;

// The report printed into a PDF file and read back.
struct PrintRig {
    QTemporaryDir dir;
    FormatState format;
    RecordTableState store;
    QPrinter printer{QPrinter::HighResolution};
    PdfText pdf;
    double leftPt = 0;
    double topPt = 0;

    PrintRig()
    {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("report.pdf"));
    }
    void print()
    {
        PrintFailure failure = PrintFailure::Unknown;
        ASSERT_TRUE(PrintResults(printer, ListForOutput(format, store), "12-08-2026", "09:05:07", &failure))
            << static_cast<int>(failure);
        const QRectF paint = printer.pageLayout().paintRect(QPageLayout::Point);
        leftPt = paint.left();
        topPt = paint.top();
        pdf = ReadPdfWords(printer.outputFileName());
        ASSERT_TRUE(pdf.ok) << "pdftotext could not read the report";
    }
    // Millimetres from the left edge of the printable area.
    double mmFromLeft(const PdfWord& w) const { return (w.x - leftPt) / PointsPerMm; }
};

TEST(PrintResults, NoRecordsGivesHeaderAndHeadingsOnOnePage)
{
    PrintRig r;
    r.print();
    EXPECT_EQ(r.pdf.pages, 1);
    QStringList texts;
    for (const PdfWord& w : r.pdf.words)
        texts << w.text;
    EXPECT_EQ(texts, (QStringList{"Date", "=", "12-08-2026", "Time", "=", "09:05:07", "Unit", "=", "SEQ", "BIB",
                                  "#", "TIME", "START", "FINISH", "SPLIT1", "SPLIT2", "SPLIT3"}));
    const double header = r.pdf.find("Date")[0].y;
    const double headings = r.pdf.find("SEQ")[0].y;
    // Three space lines above the header, three between it and the headings.
    const double line = (headings - header) / 4;
    EXPECT_GT(line, 8);
    EXPECT_LT(line, 20);
    EXPECT_NEAR(header - r.topPt, 3 * line, line / 2);
    EXPECT_EQ(r.printer.pageLayout().orientation(), QPageLayout::Landscape);
}

TEST(PrintResults, ColumnsStandAtTheirMillimetres)
{
    PrintRig r;
    FillRow(r.store, 1, MakeTimerRecord({.start = 1000, .split1 = 3000, .split2 = 3500, .split3 = 7000,
                                         .finish = 61500, .bib = 77}));
    r.store.ReportedRecordCount = 1;
    r.print();
    EXPECT_NEAR(r.mmFromLeft(r.pdf.find("Date")[0]), 20, 0.5);
    const char* headings[] = {"SEQ", "BIB", "TIME", "START", "FINISH", "SPLIT1", "SPLIT2", "SPLIT3"};
    const char* values[] = {"1", "77", "60.500", "1.000", "61.500", "2.000", "0.500", "3.500"};
    for (int c = 0; c < 8; ++c) {
        const auto h = r.pdf.find(headings[c]);
        ASSERT_EQ(h.size(), 1u) << headings[c];
        EXPECT_NEAR(r.mmFromLeft(h[0]), PrintColumnsMm[c], 0.5) << headings[c];
        const auto v = r.pdf.find(values[c]);
        ASSERT_EQ(v.size(), 1u) << values[c];
        EXPECT_NEAR(r.mmFromLeft(v.back()), PrintColumnsMm[c], 0.5) << values[c];
        EXPECT_GT(v.back().y, h[0].y) << values[c];
    }
}

TEST(PrintResults, ALongListGoesOnWithoutRepeatingTheHeadings)
{
    PrintRig r;
    FillRecords(r.store, 120);
    r.store.ReportedRecordCount = 120;
    r.print();
    EXPECT_GE(r.pdf.pages, 3);
    EXPECT_EQ(r.pdf.find("SEQ").size(), 1u);
    EXPECT_EQ(r.pdf.find("Date").size(), 1u);
    // Every record once, in order, and the last page is not blank.
    std::vector<int> seqs;
    for (const PdfWord& w : r.pdf.words)
        if (std::abs(r.mmFromLeft(w) - 20) < 0.5 && w.text.toInt() > 0)
            seqs.push_back(w.text.toInt());
    ASSERT_EQ(seqs.size(), 120u);
    for (int i = 0; i < 120; ++i)
        EXPECT_EQ(seqs[static_cast<std::size_t>(i)], i + 1);
    int lastPageWords = 0;
    for (const PdfWord& w : r.pdf.words)
        lastPageWords += w.page == r.pdf.pages;
    EXPECT_GT(lastPageWords, 0);
}

TEST(PrintResults, UnitIsTheSourceFormattedLast)
{
    for (const auto& [code, name] : {std::pair{1, "BibTimer"}, std::pair{2, "Wand"}, std::pair{3, "PhotoCell"},
                                     std::pair{7, "Unknown"}}) {
        PrintRig r;
        FillRow(r.store, 9, MakeTimerRecord({.source = static_cast<std::uint8_t>(code)}));
        FormatRecordLine(r.format, r.store, 9);
        r.print();
        const auto unit = r.pdf.find("Unit");
        ASSERT_EQ(unit.size(), 1u);
        const auto text = r.pdf.find(name);
        ASSERT_EQ(text.size(), 1u) << name;
        EXPECT_DOUBLE_EQ(text[0].y, unit[0].y);
    }
}

TEST(PrintButton, PrintsTheDownloadedRecords)
{
    ScriptedPrompt prompt;
    QTemporaryDir dir;
    PdfPrinter pdf(dir.filePath("job.pdf"));
    AppRig r(true, 12, &prompt);
    r.app->setPrintSystem(pdf);
    r.loadAndDownload();
    const auto [drawnLast, listedLast] = r.redrawALineUnlikeTheLast();
    ASSERT_NE(drawnLast, listedLast);
    r.click(AppRig::Button::Print);
    ASSERT_TRUE(r.waitForPrint());
    EXPECT_TRUE(prompt.messages.isEmpty());
    const PdfText text = ReadPdfWords(dir.filePath("job.pdf"));
    ASSERT_TRUE(text.ok);
    EXPECT_EQ(text.find("SEQ").size(), 1u);
    EXPECT_EQ(text.numbersUnder("SEQ"), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(text.valueOf("Unit").toStdString(), drawnLast);
}

} // namespace

namespace {

// The printed results: a section per category, the placed by their place in
// it, those out of the places after them with their status, and every page
// of a long list beginning with the title and the headings.
TEST(PrintResults, TheResultsOneSectionPerCategory)
{
    RecordTableState table;
    std::vector<Entrant> field;
    for (int bib = 1; bib <= 120; ++bib) {
        FillRow(table, bib, MakeTimerRecord({.start = 1000, .finish = 1000 + 300000u + 1000u * static_cast<unsigned>(bib),
                                             .bib = bib, .dnf = bib == 4}));
        Entrant e;
        e.bib = bib;
        e.firstName = QStringLiteral("Runner");
        e.lastName = QString::number(bib);
        e.category = bib % 2 ? QStringLiteral("Open") : QStringLiteral("Vets");
        e.team = QStringLiteral("<b>Club</b>");
        field.push_back(e);
    }
    FillRow(table, 121, MakeTimerRecord({.start = 1000, .finish = 2000, .bib = 200})); // in no entrant row
    const EntrantList entrants(field);
    const PrintedTable report = ResultsReport::make(ComputeResults(table, entrants, {}, {}), QDateTime::currentDateTime());

    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("results.pdf"));
    ASSERT_TRUE(PrintTable(printer, report));
    const PdfText pdf = ReadPdfWords(printer.outputFileName());
    ASSERT_TRUE(pdf.ok);
    // Lines of words, page by page.
    std::vector<QStringList> lines;
    double y = -1;
    int page = 0;
    for (const PdfWord& w : pdf.words) {
        if (w.page != page || std::abs(w.y - y) > 1) {
            lines.emplace_back();
            page = w.page;
            y = w.y;
        }
        lines.back() << w.text;
    }
    auto line = [&lines](const QStringList& want) {
        return std::count_if(lines.begin(), lines.end(), [&](const QStringList& l) { return l == want; });
    };
    EXPECT_GE(pdf.pages, 2);
    EXPECT_EQ(line({"Place", "Bib", "Name", "Team", "Time", "Status"}), pdf.pages) << "on every page";
    EXPECT_EQ(line({"Open"}), 1);
    EXPECT_EQ(line({"1", "1", "Runner", "1", "<b>Club</b>", "0:05:01.00"}), 1) << "names and teams as plain text";
    EXPECT_EQ(line({"1", "2", "Runner", "2", "<b>Club</b>", "0:05:02.00"}), 1) << "the first of its category";
    EXPECT_EQ(line({"4", "Runner", "4", "<b>Club</b>", "DNF"}), 1);
    EXPECT_EQ(line({"Records", "that", "need", "a", "look", "are", "not", "in", "these", "results:", "1", "(unknown",
                    "bibs,", "no", "bib", "or", "a", "bib", "read", "twice)."}),
              1);
    const auto vets = std::find(lines.begin(), lines.end(), QStringList{"Vets"});
    const auto dnf = std::find(lines.begin(), lines.end(), QStringList{"4", "Runner", "4", "<b>Club</b>", "DNF"});
    ASSERT_NE(vets, lines.end());
    EXPECT_TRUE(dnf > vets && (dnf + 1 == lines.end() || (dnf + 1)->front() != "2"))
        << "the unfinished after the placed of their category";
}

} // namespace
