#include "presentation/focus_scroll_bar.h"
#include "presentation/results_picture.h"
#include "presentation/results_view.h"
#include "presentation/results_wiring.h"
#include "support/records_access.h"
#include "support/record_fill.h"
#include "common/twips.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

// The real picture and scroll bar, at the main window's geometry.
struct PictureRig {
    Records records;
    RecordTableState& store = RecordsTestAccess::table(records);
    FormatState format;
    ViewState view;
    QWidget window;
    ResultsPicture* picture = new ResultsPicture(&window);
    FocusScrollBar* scroll = new FocusScrollBar(&window);
    ScrollBarRange range{*scroll};
    ResultsView results{records, format, view, *picture, range};

    PictureRig()
    {
        window.resize(TwipsToPixelsX(window, 10155), TwipsToPixelsY(window, 9030));
        picture->setGeometry(TwipsRect(window, 120, 240, 9375, 7335));
        scroll->setGeometry(TwipsRect(window, 9600, 240, 375, 7335));
        picture->chooseFont();
        ConnectResultsView(*picture, *scroll, results);
        results.DrawColumnHeadings();
    }
    // Pixel x where a tab column starts.
    int columnX(int column) const
    {
        return static_cast<int>(std::lround((column - 1) * QFontMetricsF(picture->viewFont()).averageCharWidth()));
    }
    bool bandIsWhite(int x0, int x1, int row) const
    {
        const double h = picture->textHeightTwips("hi") / (1440.0 / picture->logicalDpiY());
        for (int y = static_cast<int>(row * h); y < static_cast<int>((row + 1) * h); ++y)
            for (int x = x0; x < x1; ++x)
                if (picture->image().pixel(x, y) != qRgb(255, 255, 255))
                    return false;
        return true;
    }
};

TEST(ResultsPicture, ThirtyFiveRowsAndTheLongestColumnTextsFit)
{
    PictureRig r;
    EXPECT_LE(35 * r.picture->textHeightTwips("hi"), 7335);
    const double column = QFontMetricsF(r.picture->viewFont()).averageCharWidth();
    const QFontInfo chosen(r.picture->viewFont());
    EXPECT_LE((103 + 11) * column, r.picture->width())
        << chosen.family().toStdString() << " at " << chosen.pixelSize() << " px, asked for " << r.picture->viewFont().toString().toStdString();
    const QFontMetricsF m(r.picture->viewFont());
    // Each of these must end before the next column starts.
    for (const auto& [text, columns] : {std::pair{"255   DQ", 8}, std::pair{"16777.215", 16},
                                        std::pair{"28:39:37:21", 16}}) {
        EXPECT_LE(m.horizontalAdvance(QString::fromLatin1(text)), columns * column + 0.5) << text;
    }
}

TEST(ResultsPicture, ALongBibIsClippedAtTheNextColumn)
{
    PictureRig r;
    // With a one-digit bib, "MAN" would begin exactly at the TIME column.
    FillRow(r.store, 1, MakeTimerRecord({.start = 1, .bib = 5, .dnf = true, .manual = true}));
    r.store.RecordCount = 1;
    r.format.TimeDisplayMode = TimeDisplay::Seconds;
    r.results.RefreshResults(1);
    EXPECT_EQ(r.results.rowTexts(4)[1], "5      DNF     MAN");
    // Between the end of the TIME text ("0.000", 5 columns) and START nothing is drawn.
    EXPECT_TRUE(r.bandIsWhite(r.columnX(24 + 6), r.columnX(40), 4));
    EXPECT_FALSE(r.bandIsWhite(r.columnX(9), r.columnX(24), 4));
    // Nothing of "MAN" shows before the TIME column: only the spaces after "DNF" (columns 19..23).
    EXPECT_TRUE(r.bandIsWhite(r.columnX(19) + 1, r.columnX(24), 4));
    EXPECT_TRUE(r.bandIsWhite(0, r.picture->image().width(), 5));
}

TEST(ResultsPicture, RefreshClearsLeftoversOfLongerLines)
{
    PictureRig r;
    FillRecords(r.store, 2);
    FillRow(r.store, 1, MakeTimerRecord({.start = 1, .finish = 16777215, .bib = 1}));
    r.results.RefreshResults(2);
    EXPECT_FALSE(r.bandIsWhite(r.columnX(24), r.columnX(40), 4));
    r.store.clearRecords();
    r.store.RecordCount = 0;
    r.results.RefreshResults(0);
    for (int row = 4; row <= 34; ++row)
        EXPECT_TRUE(r.bandIsWhite(0, r.picture->image().width(), row)) << row;
}

TEST(ResultsPicture, TheHeadingsStayWhileTheRowsAreRedrawn)
{
    PictureRig r;
    FillRecords(r.store, 40);
    for (int value : {3, 9, 0}) {
        r.scroll->setMaximum(9);
        r.scroll->setValue(value);
        EXPECT_FALSE(r.bandIsWhite(r.columnX(1), r.columnX(9), 0)) << value;   // "SEQ"
        EXPECT_FALSE(r.bandIsWhite(r.columnX(104), r.picture->width(), 0)) << value; // "SPLIT3"
        for (int row = 1; row <= 3; ++row)
            EXPECT_TRUE(r.bandIsWhite(0, r.picture->width(), row)) << row;
    }
}

TEST(ResultsPicture, ALineDrawnWithoutClearingLiesOverTheOldOne)
{
    PictureRig r;
    FillRecords(r.store, 1);
    r.results.DrawRecordRow(4, 1); // a band cleared by the headings' clear
    const QImage once = r.picture->image().copy();
    FillRow(r.store, 1, MakeTimerRecord({.start = 1, .finish = 16777215, .bib = 1}));
    r.results.DrawRecordRow(4, 1); // no ClearRowBand: the new text goes over the old
    const QImage twice = r.picture->image();
    // Every dark pixel of the first line is still dark: nothing was wiped.
    int dark = 0;
    for (int y = 0; y < once.height(); ++y)
        for (int x = 0; x < once.width(); ++x)
            if (once.pixel(x, y) != qRgb(255, 255, 255)) {
                ++dark;
                ASSERT_NE(twice.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;
            }
    EXPECT_GT(dark, 0);
    // And the new finish time is there too.
    EXPECT_FALSE(r.bandIsWhite(r.columnX(56), r.columnX(72), 4));
}

TEST(ResultsPicture, TheTooltipNamesTheLineAPressThereWouldMark)
{
    PictureRig r;
    FillRecords(r.store, 3);
    r.results.RefreshResults(3);
    const double h = r.picture->textHeightTwips("hi");
    struct Case {
        const char* where;
        double y;
        const char* seq;
    };
    for (const Case c : {Case{"upper half of row 4", 4.25 * h, "SEQ: 1\n"}, Case{"lower half of row 4", 4.9 * h, "SEQ: 1\n"},
                         Case{"top of row 5", 5.02 * h, "SEQ: 2\n"}, Case{"row 6", 6.1 * h + 5, "SEQ: 3\n"}}) {
        SCOPED_TRACE(c.where);
        const QString tip = RowToolTip(r.results, c.y);
        EXPECT_TRUE(tip.startsWith(c.seq)) << tip.toStdString();
        // The press at the same height marks the record the tooltip named.
        const int n = QString(c.seq).mid(5).trimmed().toInt();
        r.results.cycleMarkAt(c.y);
        EXPECT_EQ(r.store.RecordTable[static_cast<std::size_t>(n)][RecordField::MarkState], 1);
        r.store.RecordTable[static_cast<std::size_t>(n)][RecordField::MarkState] = 0;
        r.results.RefreshResults(3);
    }
    EXPECT_TRUE(RowToolTip(r.results, 2 * h).isEmpty());
    const QString full = RowToolTip(r.results, 4 * h + 10);
    EXPECT_EQ(full.count('\n'), 7);
    EXPECT_TRUE(full.contains("TIME: 0.000\nSTART: 1.001"));
}

// The pixel rows where a line's SEQ text is painted, line by line from the top.
std::vector<std::pair<int, int>> InkedLines(const QImage& image, int x1)
{
    std::vector<std::pair<int, int>> lines;
    bool inLine = false;
    for (int y = 0; y < image.height(); ++y) {
        bool inked = false;
        for (int x = 0; x < x1 && !inked; ++x)
            inked = qGray(image.pixel(x, y)) < 250;
        if (inked && !inLine)
            lines.push_back({y, y});
        if (inked)
            lines.back().second = y;
        inLine = inked;
    }
    return lines;
}

TEST(ResultsPicture, AClickOnAnyPixelOfALinesTextMarksThatLine)
{
    PictureRig r;
    r.window.show();
    FillRecords(r.store, 3);
    r.results.RefreshResults(3);
    r.picture->repaint();
    const auto lines = InkedLines(r.picture->image(), r.columnX(9));
    ASSERT_EQ(lines.size(), 4u) << "the headings and three records";
    for (int n = 1; n <= 3; ++n) {
        const auto [top, bottom] = lines[static_cast<std::size_t>(n)];
        SCOPED_TRACE("record " + std::to_string(n) + ", pixels " + std::to_string(top) + " to " + std::to_string(bottom));
        for (const int y : {top, bottom})
            QTest::mouseClick(r.picture, Qt::LeftButton, Qt::NoModifier, QPoint(5, y));
        for (int m = 1; m <= 3; ++m)
            EXPECT_EQ(r.store.RecordTable[static_cast<std::size_t>(m)][RecordField::MarkState], m == n ? 2 : 0) << m;
        r.store.RecordTable[static_cast<std::size_t>(n)][RecordField::MarkState] = 0;
    }
}

TEST(ResultsPicture, ScrollBarChangesRedrawThePage)
{
    PictureRig r;
    FillRecords(r.store, 40);
    r.scroll->setMaximum(9);
    r.scroll->setValue(9);
    EXPECT_EQ(r.results.rowTexts(4)[0], "10");
    EXPECT_EQ(r.results.rowTexts(34)[0], "40");
    r.scroll->setValue(0);
    EXPECT_EQ(r.results.rowTexts(4)[0], "1");
}

} // namespace
