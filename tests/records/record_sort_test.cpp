#include "records/frame_scanner.h"
#include "records/record_sort.h"
#include "presentation/results_view.h"
#include "support/fake_surface.h"
#include "support/record_fill.h"
#include "support/recording_scroll.h"
#include "support/records_access.h"
#include "support/ring_writer.h"

#include <gtest/gtest.h>

namespace {

std::vector<int> Bibs(RecordTableState& s, int first, int last)
{
    std::vector<int> b;
    for (int r = first; r <= last; ++r)
        b.push_back(ComputeRecordKeys(s, r).BibNumber);
    return b;
}

std::vector<int> Seqs(const RecordTableState& s, int first, int last)
{
    std::vector<int> q;
    for (int r = first; r <= last; ++r)
        q.push_back(s.RecordTable[static_cast<std::size_t>(r)][RecordField::Sequence]);
    return q;
}

TEST(SortRecords, ByBibIsStable)
{
    RecordTableState s;
    const int bibs[] = {7, 3, 3, 12};
    for (int r = 1; r <= 4; ++r)
        FillRow(s, r, MakeTimerRecord({.start = 1, .bib = bibs[r - 1]}));
    SortRecords(s, 1, 4, SortKey::BibNumber);
    EXPECT_EQ(Bibs(s, 1, 4), (std::vector<int>{3, 3, 7, 12}));
    EXPECT_EQ(Seqs(s, 1, 4), (std::vector<int>{2, 3, 1, 4}));
}

TEST(SortRecords, BibAbove255SortsAsZeroAndBadDigitsAreRepaired)
{
    RecordTableState s;
    FillRow(s, 1, MakeTimerRecord({.bib = 5}));
    FillRow(s, 2, MakeTimerRecord({.bib = 1}));
    FillRow(s, 3, MakeTimerRecord({.bib = 256}));
    s.RecordTable[2][26] = 12; // bib 1 with a bad tens digit reads 1 after repair
    SortRecords(s, 1, 3, SortKey::BibNumber);
    EXPECT_EQ(Seqs(s, 1, 3), (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(s.RecordTable[2][26], 0);
}

TEST(SortRecords, TimeKeys)
{
    struct Case {
        const char* what;
        std::uint32_t start, finish;
        std::uint8_t source;
        std::int64_t key;
    };
    for (const Case c : {Case{"finish less start", 1000, 5000, 1, 4000},
                         Case{"the counter wrapped between them", 16777000, 1000, 2, 1216},
                         Case{"a photocell's time", 1000, 5000, 3, 0}, Case{"no finish", 1000, 0, 1, 0}}) {
        SCOPED_TRACE(c.what);
        RecordTableState s;
        FillRow(s, 1, MakeTimerRecord({.start = c.start, .finish = c.finish, .source = c.source}));
        EXPECT_EQ(ComputeRecordKeys(s, 1).TimeSortKey, c.key);
    }
}

TEST(SortRecords, ByTimePutsNoFinishAndPhotocellFirst)
{
    RecordTableState s;
    FillRow(s, 1, MakeTimerRecord({.start = 1000, .finish = 9000}));                 // 8000
    FillRow(s, 2, MakeTimerRecord({.start = 1000, .finish = 3000, .source = 3}));    // photocell: 0
    FillRow(s, 3, MakeTimerRecord({.start = 16777000, .finish = 1000}));            // wrapped: 1216
    FillRow(s, 4, MakeTimerRecord({.start = 1000}));                                 // no finish: 0
    SortRecords(s, 1, 4, SortKey::ElapsedTime);
    EXPECT_EQ(Seqs(s, 1, 4), (std::vector<int>{2, 4, 3, 1}));
}

// The page-wide behaviour through the view: what a sort button does.
struct SortRig {
    Records records;
    RecordTableState& store = RecordsTestAccess::table(records);
    FormatState format;
    ViewState view;
    FakeSurface surface;
    RecordingScroll scroll;
    ResultsView results{records, format, view, surface, scroll};
    SortRig(int count)
    {
        scroll.onValueChanged = [this](int v) { results.showScrolledPage(v); };
        for (int r = 1; r <= count; ++r)
            FillRow(store, r, MakeTimerRecord({.start = 1, .finish = 100000u - 100u * r, .bib = (r * 37) % 200}));
        store.RecordCount = static_cast<std::int16_t>(count);
        scroll.setMaximum(count < 31 ? 0 : count - 31);
    }
};

TEST(SortRecords, SequenceSortRestoresRecordOrderOnThePage)
{
    SortRig r(20);
    r.results.requestSort(SortChoice::ByBib);
    EXPECT_NE(Seqs(r.store, 1, 20), Seqs(RecordTableState{}, 1, 20));
    r.results.requestSort(SortChoice::BySequence);
    EXPECT_EQ(Seqs(r.store, 1, 20), Seqs(RecordTableState{}, 1, 20));
}

TEST(SortRecords, OnlyTheShownPageMoves)
{
    SortRig r(40);
    r.scroll.setValue(9);
    r.results.requestSort(SortChoice::ByTime);
    EXPECT_EQ(Seqs(r.store, 1, 9), Seqs(RecordTableState{}, 1, 9));
    // Elapsed times fall with the record number, so rows 10..40 reverse.
    std::vector<int> reversed;
    for (int q = 40; q >= 10; --q)
        reversed.push_back(q);
    EXPECT_EQ(Seqs(r.store, 10, 40), reversed);
}

TEST(SortRecords, MarksTravelWithTheirRecords)
{
    SortRig r(5);
    r.store.RecordTable[5][RecordField::MarkState] = 2;
    r.results.requestSort(SortChoice::ByTime);
    EXPECT_EQ(r.store.RecordTable[1][RecordField::Sequence], 5);
    EXPECT_EQ(r.store.RecordTable[1][RecordField::MarkState], 2);
    EXPECT_EQ(r.results.rowTexts(4)[0], "5   DQ");
}

TEST(SortRecords, APressSortsOnce)
{
    SortRig r(5);
    r.results.requestSort(SortChoice::ByTime);
    EXPECT_EQ(r.view.SortRequest, SortChoice::None);
    // Put the rows back in record order by hand; a later refresh must not sort again.
    r.results.requestSort(SortChoice::BySequence);
    r.results.RefreshResults(5);
    EXPECT_EQ(Seqs(r.store, 1, 5), (std::vector<int>{1, 2, 3, 4, 5}));
}

TEST(SortRecords, NoRecordsDrawsHeadingsOnly)
{
    SortRig r(0);
    r.results.requestSort(SortChoice::ByBib);
    ASSERT_EQ(r.surface.printed.size(), 2u);
}

// New frames after a sort: every record stays in the table once, with its
// newest bytes and its mark.
TEST(SortRecords, FramesFiledAfterASortLoseNothing)
{
    SortRig r(8);
    ReceiveRing ring;
    r.store.RecordTable[3][RecordField::MarkState] = 1;
    r.results.requestSort(SortChoice::ByBib);
    ASSERT_NE(Seqs(r.store, 1, 8), Seqs(RecordTableState{}, 1, 8));

    const auto fresh3 = MakeTimerRecord({.start = 5, .finish = 7777, .bib = 99});
    const auto fresh6 = MakeTimerRecord({.start = 6, .finish = 8888, .bib = 98});
    const auto new9 = MakeTimerRecord({.start = 9, .finish = 9999, .bib = 97});
    for (const auto& [n, rec] : {std::pair{3, fresh3}, std::pair{6, fresh6}, std::pair{9, new9}}) {
        const auto f = EncodeFrame(9, static_cast<std::uint8_t>(n), rec);
        AppendToRing(ring, {f.begin(), f.end()});
    }
    ScanReceiveRing(ring, r.store, r.scroll);

    std::vector<int> seen(256, 0);
    for (const auto& row : r.store.RecordTable)
        ++seen[static_cast<std::size_t>(row[RecordField::Sequence])];
    EXPECT_TRUE(std::all_of(seen.begin(), seen.end(), [](int c) { return c == 1; }));

    const int row3 = r.store.rowOfRecord(3);
    EXPECT_EQ(Compose24(r.store.RecordTable[static_cast<std::size_t>(row3)], RecordField::FinishTime), 7777);
    EXPECT_EQ(r.store.RecordTable[static_cast<std::size_t>(row3)][RecordField::MarkState], 1);
    EXPECT_EQ(Compose24(r.store.RecordTable[static_cast<std::size_t>(r.store.rowOfRecord(6))],
                        RecordField::FinishTime), 8888);
    EXPECT_EQ(r.store.rowOfRecord(9), 9);
    EXPECT_EQ(r.store.RecordCount, 9);
    for (int n : {1, 2, 4, 5, 7, 8}) {
        const int row = r.store.rowOfRecord(n);
        EXPECT_EQ(Compose24(r.store.RecordTable[static_cast<std::size_t>(row)], RecordField::FinishTime),
                  100000 - 100 * n) << n;
    }
}

} // namespace
