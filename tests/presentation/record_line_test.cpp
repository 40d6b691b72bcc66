#include "presentation/record_line.h"

#include "presentation/format_state.h"
#include "support/record_fill.h"
#include "emulator/timer_record.h"

#include <gtest/gtest.h>

namespace {

struct Formatter {
    RecordTableState store;
    FormatState state;
    RecordLine format(int row, TimeDisplay mode = TimeDisplay::Seconds)
    {
        state.TimeDisplayMode = mode;
        return FormatRecordLine(state, store, row);
    }
};

TEST(FormatRecordLine, EmptySlotInBothModes)
{
    Formatter f;
    const RecordLine a = f.format(17, TimeDisplay::Seconds);
    EXPECT_EQ(a.Seq, "17");
    EXPECT_EQ(a.Bib, "0");
    EXPECT_EQ(a.Source, "Unknown");
    for (const std::string* t : {&a.Time, &a.Start, &a.Finish, &a.Split1, &a.Split2, &a.Split3})
        EXPECT_EQ(*t, "0.000");
    const RecordLine b = f.format(17, TimeDisplay::TimeOfDay);
    EXPECT_EQ(b.Time, "0.000");
    for (const std::string* t : {&b.Start, &b.Finish, &b.Split1, &b.Split2, &b.Split3})
        EXPECT_EQ(*t, "00:00:00:00");
    EXPECT_EQ(f.state.TimeDisplayMode, TimeDisplay::TimeOfDay);
}

TEST(FormatRecordLine, ElapsedTimeColumn)
{
    struct Case {
        std::uint32_t start, finish;
        std::uint8_t source;
        const char* time;
    };
    for (const Case c : {Case{10000, 25500, 1, "15.500"}, Case{16777000, 1000, 1, "1.216"},
                         Case{16777000, 1000, 3, "0.000"}, Case{5000, 0, 2, "0.000"},
                         Case{0, 7000, 9, "7.000"}}) {
        for (TimeDisplay mode : {TimeDisplay::Seconds, TimeDisplay::TimeOfDay}) {
            Formatter f;
            FillRow(f.store, 1, MakeTimerRecord({.start = c.start, .finish = c.finish, .source = c.source}));
            EXPECT_EQ(f.format(1, mode).Time, c.time) << c.start << " " << c.finish << (mode == TimeDisplay::Seconds ? " seconds" : " time of day");
        }
    }
}

TEST(FormatRecordLine, SplitsAreIntervalsFromTheRawPointsInSecondsMode)
{
    Formatter f;
    FillRow(f.store, 1, MakeTimerRecord({.start = 1000, .split1 = 5000, .split2 = 4000, .split3 = 9000}));
    const RecordLine a = f.format(1, TimeDisplay::Seconds);
    EXPECT_EQ(a.Split1, "4.000");
    EXPECT_EQ(a.Split2, "4.000"); // before split 1: shown raw
    EXPECT_EQ(a.Split3, "5.000"); // measured from raw split 2
    const RecordLine b = f.format(1, TimeDisplay::TimeOfDay);
    EXPECT_EQ(b.Split1, "00:00:05:00");
    EXPECT_EQ(b.Split2, "00:00:04:00");

    FillRow(f.store, 2, MakeTimerRecord({.start = 0, .split1 = 7250}));
    EXPECT_EQ(f.format(2, TimeDisplay::Seconds).Split1, "7.250");
}

TEST(FormatRecordLine, BibDigitsAboveNineReadAsZero)
{
    struct Case {
        int d0, d1, d2;
        const char* bib;
    };
    for (const Case c : {Case{1, 2, 3, "123"}, Case{2, 5, 6, "0"}, Case{12, 3, 4, "34"}, Case{9, 9, 9, "0"},
                         Case{0, 0, 0, "0"}}) {
        Formatter f;
        f.store.RecordTable[3][RecordField::BibDigits] = c.d0;
        f.store.RecordTable[3][RecordField::BibDigits + 1] = c.d1;
        f.store.RecordTable[3][RecordField::BibDigits + 2] = c.d2;
        EXPECT_EQ(f.format(3).Bib, c.bib);
    }
}

TEST(FormatRecordLine, MarksAndFlags)
{
    Formatter f;
    std::swap(f.store.RecordTable[1], f.store.RecordTable[17]);
    FillRow(f.store, 1, MakeTimerRecord({.bib = 45, .dnf = true, .manual = true}));
    const std::string marks[] = {"17", "17   *", "17   DQ"};
    for (int mark = 0; mark < 3; ++mark) {
        f.store.RecordTable[1][RecordField::MarkState] = mark;
        EXPECT_EQ(f.format(1).Seq, marks[mark]);
    }
    EXPECT_EQ(f.state.lastRecordLine.Bib, "45      DNF     MAN");
    FillRow(f.store, 2, MakeTimerRecord({.bib = 8, .manual = true}));
    EXPECT_EQ(f.format(2).Bib, "8     MAN");
}

// A line's time of day comes from its own list: the bib-timer record at or
// above it, else the first below it, whatever was formatted before.
TEST(FormatRecordLine, ALinesTimeOfDayComesFromItsOwnList)
{
    const auto wand = [](std::uint32_t start) { return MakeTimerRecord({.start = start, .dayOffset = 3600000, .source = 2}); };
    const auto bibTimer = [](std::uint32_t start, std::uint32_t offset) {
        return MakeTimerRecord({.start = start, .dayOffset = offset, .source = 1});
    };
    const struct {
        const char* what;
        std::vector<TimerRecordBytes> list;
        int row;
        const char* start;
    } cases[] = {
        {"under a bib-timer record", {bibTimer(2000, 43200000), wand(1500)}, 2, "12:00:01:50"},
        {"above the first bib-timer record", {wand(1500), bibTimer(2000, 43200000)}, 1, "12:00:01:50"},
        {"the nearest above counts", {bibTimer(1, 3600000), bibTimer(1, 43200000), wand(1500)}, 3, "12:00:01:50"},
        {"a bib-timer record its own", {bibTimer(1, 3600000), bibTimer(2000, 43200000)}, 2, "12:00:02:00"},
        {"no bib-timer record", {wand(1500)}, 1, "00:00:01:50"},
    };
    for (const auto& c : cases) {
        // Another list formatted first, with another base: it leaves nothing.
        Formatter f;
        FillRow(f.store, 1, bibTimer(1, 82800000));
        f.format(1, TimeDisplay::TimeOfDay);
        f.store = RecordTableState{};
        for (std::size_t i = 0; i < c.list.size(); ++i)
            FillRow(f.store, static_cast<int>(i) + 1, c.list[i]);
        EXPECT_EQ(f.format(c.row, TimeDisplay::TimeOfDay).Start, c.start) << c.what;
        // And the same drawn after every other line of its list.
        for (int r = static_cast<int>(c.list.size()); r >= 1; --r)
            f.format(r, TimeDisplay::TimeOfDay);
        EXPECT_EQ(f.format(c.row, TimeDisplay::TimeOfDay).Start, c.start) << c.what;
    }
}

TEST(FormatRecordLine, DayTimeOffsetIsUnsigned)
{
    Formatter f;
    FillRow(f.store, 1, MakeTimerRecord({.start = 1, .dayOffset = 0x80000000u, .source = 1}));
    f.format(1, TimeDisplay::TimeOfDay);
    EXPECT_EQ(f.state.DayTimeBase, 2147483648.0);
}

TEST(FormatRecordLine, SourceNames)
{
    const std::pair<std::uint8_t, const char*> cases[] = {
        {1, "BibTimer"}, {2, "Wand"}, {3, "PhotoCell"}, {0, "Unknown"}, {4, "Unknown"}, {255, "Unknown"}};
    for (const auto& [code, name] : cases) {
        Formatter f;
        FillRow(f.store, 5, MakeTimerRecord({.source = code}));
        EXPECT_EQ(f.format(5).Source, name);
    }
}

} // namespace
