#pragma once

#include <cstdint>

// The order a sort button asked for, kept until the next refresh sorts.
enum class SortChoice : std::int16_t { None, ByTime, ByBib, BySequence };

// Which records the results view shows, and the sort a button asked for.
struct ViewState {
    std::int16_t FirstShownRecord = 0;
    std::int16_t LastShownRecord = 0;
    std::int16_t ScrollPosition = 0;
    SortChoice SortRequest = SortChoice::None;
    // The view row of the keyboard's line cursor; 0 until a key places it.
    std::int16_t cursorRow = 0;
};
