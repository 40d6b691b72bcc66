#include "presentation/time_format.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

constexpr TimeDisplay Seconds = TimeDisplay::Seconds;
constexpr TimeDisplay TimeOfDay = TimeDisplay::TimeOfDay;

struct TimeCase {
    TimeDisplay mode;
    bool suppress;
    double base;
    double time;
    const char* text;
};

void PrintTo(const TimeCase& c, std::ostream* os)
{
    *os << (c.mode == TimeDisplay::TimeOfDay ? "time of day" : "seconds") << (c.suppress ? " suppressed" : " base ") << c.base << " time " << c.time;
}

class FormatTimeValueTest : public ::testing::TestWithParam<TimeCase> {};

TEST_P(FormatTimeValueTest, RendersTheColumnText)
{
    const TimeCase& c = GetParam();
    const TimeRendering rendering{.TimeDisplayMode = c.mode, .DayTimeBase = c.base, .SuppressDayTimeBase = c.suppress};
    EXPECT_EQ(FormatTimeValue(c.time, rendering), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, FormatTimeValueTest,
    ::testing::Values(
        TimeCase{Seconds, true, 0, 0, "0.000"}, TimeCase{Seconds, true, 0, 999, "0.999"},
        TimeCase{Seconds, true, 0, 290, "0.290"}, TimeCase{Seconds, true, 0, 12345, "12.345"},
        TimeCase{Seconds, true, 0, 3600000, "3600.000"}, TimeCase{Seconds, true, 0, 16777215, "16777.215"},
        TimeCase{Seconds, true, 0, -5, "0.000"}, TimeCase{Seconds, false, 43200000, 1500, "1.500"},
        TimeCase{TimeOfDay, true, 0, 0, "00:00:00:00"}, TimeCase{TimeOfDay, true, 0, 1000, "00:00:01:00"},
        TimeCase{TimeOfDay, true, 0, 59999, "00:00:59:99"}, TimeCase{TimeOfDay, true, 0, 3600000, "01:00:00:00"},
        TimeCase{TimeOfDay, true, 0, 16777215, "04:39:37:21"}, TimeCase{TimeOfDay, true, 0, 290, "00:00:00:29"},
        TimeCase{TimeOfDay, true, 0, 1135, "00:00:01:13"}, TimeCase{TimeOfDay, true, 0, 45296789, "12:34:56:78"},
        TimeCase{TimeOfDay, true, 0, 999, "00:00:00:99"}, TimeCase{TimeOfDay, true, 0, 86400000, "24:00:00:00"},
        TimeCase{TimeOfDay, true, 0, 360000000, "100:00:00:00"}, TimeCase{TimeOfDay, true, 0, -100, "00:00:00:00"},
        TimeCase{TimeOfDay, false, 43200000, 1500, "12:00:01:50"},
        TimeCase{TimeOfDay, false, 82800000, 7200000, "25:00:00:00"},
        // Zero or less shows the base itself when it is not suppressed.
        TimeCase{TimeOfDay, false, 43200000, 0, "12:00:00:00"}));

TEST(SplitTimeParts, WholePartsOfTheCountWithTheBaseAddedUnlessSuppressed)
{
    struct Case {
        const char* name;
        double time;
        TimeRendering rendering;
        TimeParts parts;
    };
    const Case cases[] = {
        {"one of each", 3661010, {}, {"01", "01", "01", "01"}},
        {"base added", 61010, {.DayTimeBase = 3600000}, {"01", "01", "01", "01"}},
        {"base suppressed", 61010, {.DayTimeBase = 3600000, .SuppressDayTimeBase = true}, {"00", "01", "01", "01"}},
        {"hundredths truncated", 1999, {}, {"00", "00", "01", "99"}},
        {"hours past 99", 360000000 + 59999, {}, {"100", "00", "59", "99"}},
        {"a fraction of a millisecond is dropped", 1009.9, {}, {"00", "00", "01", "00"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TimeParts p = SplitTimeParts(c.time, c.rendering);
        EXPECT_EQ(p.hours, c.parts.hours);
        EXPECT_EQ(p.minutes, c.parts.minutes);
        EXPECT_EQ(p.seconds, c.parts.seconds);
        EXPECT_EQ(p.hundredths, c.parts.hundredths);
    }
}

} // namespace
