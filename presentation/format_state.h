#pragma once

#include "presentation/record_line.h"

// The operator's choice of how times are shown: "Time" or "Day Time".
enum class TimeDisplay { Seconds, TimeOfDay };

// How times are rendered, and what the formatting of one record leaves for
// the next.
struct FormatState {
    TimeDisplay TimeDisplayMode = TimeDisplay::Seconds;
    // Offset of the bib-timer record formatted last; other sources borrow it.
    double DayTimeBase = 0;
    // The line FormatRecordLine made last. The printed report and the export
    // take its Source for their header line.
    RecordLine lastRecordLine;
};

// What one time value is rendered with; the caller passes it each time.
struct TimeRendering {
    TimeDisplay TimeDisplayMode = TimeDisplay::Seconds;
    double DayTimeBase = 0;
    // Set: DayTimeBase is not added.
    bool SuppressDayTimeBase = false;
};
