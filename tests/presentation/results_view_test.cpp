#include "presentation/results_view.h"
#include "support/fake_surface.h"
#include "support/record_fill.h"
#include "support/recording_scroll.h"
#include "support/records_access.h"
#include "support/ring_writer.h"
#include "records/frame_scanner.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// The view's logic on a surface with the line height of the classic
// example (195 twips) and a scroll bar that redraws on change, as the
// toolkit's does.
struct ViewLogic {
    Records records;
    RecordTableState& store = RecordsTestAccess::table(records);
    FormatState format;
    ViewState view;
    FakeSurface surface{195};
    RecordingScroll scroll;
    ResultsView results{records, format, view, surface, scroll};

    ViewLogic()
    {
        scroll.onValueChanged = [this](int v) { results.showScrolledPage(v); };
        results.DrawColumnHeadings();
    }
    void setRecords(int count)
    {
        FillRecords(store, count);
        const int max = count < 31 ? 0 : count - 31;
        scroll.setMaximum(max);
    }
    std::string seq(int row) const
    {
        const auto& t = results.rowTexts(row);
        return t.empty() ? std::string() : t[0];
    }
    // Sequence texts of rows 4..34; empty strings where no line is drawn.
    std::vector<std::string> shownSeqs() const
    {
        std::vector<std::string> s;
        for (int row = ResultsView::FirstDataRow; row <= ResultsView::LastDataRow; ++row)
            s.push_back(seq(row));
        return s;
    }
};

std::vector<std::string> Expected(int first, int last)
{
    std::vector<std::string> s;
    for (int n = first; n <= last; ++n)
        s.push_back(std::to_string(n));
    s.resize(31);
    return s;
}

TEST(ResultsView, HeadingsAndTheBlankLine)
{
    ViewLogic v;
    ASSERT_EQ(v.surface.printed.size(), 2u);
    const auto& h = v.surface.printed[0].fields;
    ASSERT_EQ(h.size(), 8u);
    EXPECT_EQ(h[0].column, 1);
    EXPECT_EQ(h[7].column, 104);
    EXPECT_EQ(h[7].text, "SPLIT3");
    EXPECT_EQ(v.surface.printed[1].fields[0].text, "         ");
    EXPECT_EQ(v.surface.printed[1].y, 195);
}

TEST(ResultsView, PageChoiceFollowsRecordCountAndScrollValue)
{
    struct Case {
        int records;
        bool atMaximum;
        int first, last;
    };
    for (const Case c : {Case{0, false, 1, 0}, Case{10, false, 1, 10}, Case{31, false, 1, 31},
                         Case{31, true, 1, 31}, Case{40, false, 1, 31}, Case{40, true, 10, 40}}) {
        ViewLogic v;
        v.setRecords(c.records);
        if (c.atMaximum)
            v.scroll.setValue(v.scroll.maximum());
        v.results.RefreshResults(v.store.RecordCount);
        EXPECT_EQ(v.shownSeqs(), Expected(c.first, c.last)) << c.records << (c.atMaximum ? " at max" : " at 0");
        EXPECT_EQ(v.view.FirstShownRecord, c.first);
    }
}

TEST(ResultsView, RefreshClearsEveryDataRowAndTakesTheFocus)
{
    ViewLogic v;
    v.setRecords(3);
    v.surface.filledRows.clear();
    v.results.RefreshResults(3);
    std::vector<int> rows;
    for (int r = 4; r <= 34; ++r)
        rows.push_back(r);
    EXPECT_EQ(v.surface.filledRows, rows);
    EXPECT_EQ(v.surface.focusTaken, 1);
}

// Records filed one per scan, as a slow unit sends them, around the one that
// fills the page: the 31st leaves the scroll bar at 0, so no change event
// redraws the page for it.
TEST(ResultsView, EachRecordFiledAloneIsOnTheFirstPageAtOnce)
{
    ViewLogic v;
    ReceiveRing ring;
    for (int r = 1; r <= 34; ++r) {
        SCOPED_TRACE(r);
        const FrameBytes frame = EncodeFrame(34, static_cast<std::uint8_t>(r), MakeTimerRecord({.start = 1000u, .bib = r}));
        AppendToRing(ring, {frame.begin(), frame.end()});
        ScanReceiveRing(ring, v.store, v.scroll);
        v.results.showFiledRecords();
        const int first = r < 31 ? 1 : r - 30;
        EXPECT_EQ(v.shownSeqs(), Expected(first, r));
    }
}

TEST(ResultsView, ScrollEventsKeepAShortListVisible)
{
    ViewLogic v;
    v.setRecords(12);
    // The scroll bar's change and its focus both come here, with value 0.
    v.results.showScrolledPage(0);
    EXPECT_EQ(v.shownSeqs(), Expected(1, 12));
}

TEST(ResultsView, ScrollingMovesThePage)
{
    ViewLogic v;
    v.setRecords(40);
    v.scroll.setValue(4); // the change handler redraws
    EXPECT_EQ(v.shownSeqs(), Expected(5, 35));
}

TEST(ResultsView, AClickMarksTheLineDrawnUnderThePointer)
{
    // Row 4 is drawn from 780 to 974 twips, row 5 from 975.
    struct Case {
        double y;
        bool hitsRow4;
        bool hitsRow5;
    };
    for (const Case c : {Case{780, true, false}, Case{800, true, false}, Case{900, true, false},
                         Case{974, true, false}, Case{975, false, true}, Case{1169, false, true},
                         Case{779, false, false}, Case{5, false, false}, Case{6800, false, false}}) {
        ViewLogic v;
        v.setRecords(31);
        v.results.RefreshResults(31);
        v.results.cycleMarkAt(c.y);
        EXPECT_EQ(v.store.RecordTable[1][RecordField::MarkState], c.hitsRow4 ? 1 : 0) << c.y;
        EXPECT_EQ(v.store.RecordTable[2][RecordField::MarkState], c.hitsRow5 ? 1 : 0) << c.y;
    }
}

TEST(ResultsView, TheLowerPartOfALineMarksThatLineNotTheOneBelow)
{
    ViewLogic v;
    v.setRecords(31);
    v.results.RefreshResults(31);
    v.results.cycleMarkAt(4.9 * 195); // near the bottom of row 4's text
    v.results.cycleMarkAt(5.5 * 195); // the middle of row 5
    EXPECT_EQ(v.store.RecordTable[1][RecordField::MarkState], 1);
    EXPECT_EQ(v.store.RecordTable[2][RecordField::MarkState], 1);
    EXPECT_EQ(v.store.RecordTable[3][RecordField::MarkState], 0);
}

TEST(ResultsView, ThreeClicksCycleStarDisqualifiedNone)
{
    ViewLogic v;
    v.setRecords(5);
    v.results.RefreshResults(5);
    const double row6 = 6 * 195 + 5;
    const std::string expected[] = {"3   *", "3   DQ", "3"};
    for (const std::string& e : expected) {
        v.results.cycleMarkAt(row6);
        EXPECT_EQ(v.seq(6), e);
    }
}

TEST(ResultsView, ClicksThatChangeNothing)
{
    ViewLogic v;
    v.setRecords(10);
    FillRow(v.store, 4, MakeTimerRecord({.finish = 5000, .bib = 4})); // no start time
    v.results.RefreshResults(10);
    const std::size_t printedBefore = v.surface.printed.size();

    v.results.cycleMarkAt(7 * 195 + 5); // record 4: redrawn, mark kept
    EXPECT_EQ(v.store.RecordTable[4][RecordField::MarkState], 0);
    EXPECT_EQ(v.surface.printed.size(), printedBefore + 1);
    EXPECT_EQ(v.seq(7), "4");

    v.results.cycleMarkAt(20 * 195 + 5); // record 17: empty, nothing happens
    EXPECT_EQ(v.surface.printed.size(), printedBefore + 1);
    EXPECT_TRUE(v.results.rowTexts(20).empty());
}

TEST(ResultsView, ModeButtonsRedrawHeadingsAndTimes)
{
    ViewLogic v;
    v.setRecords(2);
    v.results.showTimesAs(TimeDisplay::TimeOfDay);
    EXPECT_EQ(v.results.rowTexts(4)[3], "00:00:01:00");
    v.results.showTimesAs(TimeDisplay::Seconds);
    EXPECT_EQ(v.results.rowTexts(4)[3], "1.001");
    EXPECT_EQ(v.surface.clears, 3);
}

} // namespace
