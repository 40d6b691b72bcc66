#include "records/download_count.h"
#include "records/record_sort.h"
#include "support/record_fill.h"

#include <gtest/gtest.h>

namespace {

TEST(NumberRanges, RunsOfThreeOrMoreAreJoined)
{
    const struct {
        std::vector<int> numbers;
        const char* text;
    } cases[] = {
        {{}, ""},
        {{7}, "7"},
        {{3, 4}, "3, 4"},
        {{3, 4, 5}, "3-5"},
        {{1, 3, 7, 8, 9, 12, 20, 21}, "1, 3, 7-9, 12, 20, 21"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NumberRanges(c.numbers), c.text) << c.text;
}

TEST(NumberRanges, AtMostTheRunsAskedForAndTheCountOfTheRest)
{
    const std::vector<int> numbers{1, 3, 7, 8, 9, 12, 20, 21};
    const struct {
        std::size_t maxRanges;
        const char* text;
        int left;
    } cases[] = {{0, "", 8}, {3, "1, 3, 7-9", 3}, {5, "1, 3, 7-9, 12, 20, 21", 0}, {9, "1, 3, 7-9, 12, 20, 21", 0}};
    for (const auto& c : cases) {
        int left = -1;
        EXPECT_EQ(NumberRanges(numbers, c.maxRanges, &left), c.text) << c.maxRanges;
        EXPECT_EQ(left, c.left) << c.maxRanges;
    }
}

TEST(CountDownload, CountsTheRecordsThatCameAndNamesTheMissingOnes)
{
    RecordTableState store;
    FillRecords(store, 10);
    for (const int gone : {4, 7, 8})
        std::fill(store.RecordTable[static_cast<std::size_t>(gone)].begin(),
                  store.RecordTable[static_cast<std::size_t>(gone)].begin() + RecordField::Sequence, 0);
    store.ReportedRecordCount = 12;
    store.RecordCount = 10;
    const DownloadCount count = CountDownload(store);
    EXPECT_EQ(count.filed, 7);
    EXPECT_EQ(count.expected, 12);
    EXPECT_EQ(count.missing, (std::vector<int>{4, 7, 8, 11, 12}));

    // A count byte below the highest record filed does not hide the records above it.
    store.ReportedRecordCount = 1;
    EXPECT_EQ(CountDownload(store).expected, 10);
}

TEST(CountDownload, ASortedPageCountsEachRecordUnderItsOwnNumber)
{
    RecordTableState store;
    FillRecords(store, 6);
    store.ReportedRecordCount = 6;
    store.RecordCount = 6;
    SortRecords(store, 1, 6, SortKey::BibNumber);
    SortRecords(store, 1, 6, SortKey::ElapsedTime);
    const DownloadCount count = CountDownload(store);
    EXPECT_EQ(count.filed, 6);
    EXPECT_TRUE(count.missing.empty());
}

} // namespace
