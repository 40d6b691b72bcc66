#pragma once

#include "records/record_fields.h"

#include <cstdint>

// One record's fields as numbers, read the way its line is drawn: the bib as
// the line shows it, splits both as the unit counted them and as the
// intervals the seconds display shows, and the day-time base the line's
// times of day are counted from.
struct RecordValues {
    int seq = 0;
    int bib = 0;
    Mark mark = Mark::None;
    bool dnf = false;
    bool manual = false;
    int source = 0;
    bool blank = false;    // fields 0..31 all 0: nothing was filed here
    std::int32_t start = 0; // counters in milliseconds; 0 when not recorded
    std::int32_t split1 = 0;
    std::int32_t split2 = 0;
    std::int32_t split3 = 0;
    std::int32_t finish = 0;
    std::int32_t split1Interval = 0;
    std::int32_t split2Interval = 0;
    std::int32_t split3Interval = 0;
    std::int64_t elapsed = 0;
    double dayTimeBase = 0;
};

// Reads a row without changing it; `dayTimeBase` is the base in force for it.
RecordValues ReadRecordValues(const RecordRow& row, double dayTimeBase);

// The name a line gives the record's source.
const char* SourceName(int code);
