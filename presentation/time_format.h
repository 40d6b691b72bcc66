#pragma once

#include "presentation/format_state.h"

#include <string>

struct TimeParts {
    std::string hours;
    std::string minutes;
    std::string seconds;
    std::string hundredths;
};

// Hours, minutes, seconds and truncated hundredths of a millisecond count,
// with the day-time base added unless it is suppressed. Hours do not wrap at 24.
TimeParts SplitTimeParts(double time, const TimeRendering& rendering);

// One time column: seconds with three decimals ("." whatever the locale),
// or HH:MM:SS:hh in the time-of-day mode. Times of 0 or less render as zero.
std::string FormatTimeValue(double time, const TimeRendering& rendering);
