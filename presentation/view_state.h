#pragma once

#include <cstdint>

// Which records the results view shows, and the sort a button asked for.
struct ViewState {
    static constexpr int NoSort = 0;
    static constexpr int SortByTime = 1;
    static constexpr int SortByBib = 2;
    static constexpr int SortBySequence = 3;

    std::int16_t FirstShownRecord = 0;
    std::int16_t LastShownRecord = 0;
    std::int16_t ScrollPosition = 0;
    std::int16_t SortRequest = NoSort;
    // The view row of the keyboard's line cursor; 0 until a key places it.
    std::int16_t CursorRow = 0;
};
