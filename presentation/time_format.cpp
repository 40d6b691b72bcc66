#include "presentation/time_format.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace {

std::string TwoDigits(std::int64_t value)
{
    char text[24];
    std::snprintf(text, sizeof text, "%02lld", static_cast<long long>(value));
    return text;
}

std::string JoinClock(const TimeParts& p)
{
    return p.hours + ":" + p.minutes + ":" + p.seconds + ":" + p.hundredths;
}

} // namespace

TimeParts SplitTimeParts(double time, const TimeRendering& rendering)
{
    double t = time;
    if (!rendering.SuppressDayTimeBase)
        t += rendering.DayTimeBase;
    // Whole milliseconds: integer division gives the same parts as the
    // floor-of-seconds arithmetic, without its rounding traps.
    const auto ms = static_cast<std::int64_t>(std::floor(t < 0 ? 0 : t));
    TimeParts parts;
    parts.hours = TwoDigits(ms / 3600000);
    parts.minutes = TwoDigits(ms % 3600000 / 60000);
    parts.seconds = TwoDigits(ms % 60000 / 1000);
    parts.hundredths = TwoDigits(ms % 1000 / 10);
    return parts;
}

std::string FormatTimeValue(double time, const TimeRendering& rendering)
{
    if (rendering.TimeDisplayMode == TimeDisplay::TimeOfDay)
        return JoinClock(SplitTimeParts(time > 0 ? time : 0, rendering));
    if (!(time > 0))
        return "0.000";
    const long long thousandths = std::llround(time);
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%03lld", thousandths / 1000, thousandths % 1000);
    return text;
}
