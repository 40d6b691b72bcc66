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
