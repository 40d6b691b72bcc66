#pragma once

#include "records/record_table.h"

#include <string>

// The texts of one result line.
struct RecordLine {
    std::string Seq;
    std::string Bib;
    std::string Time;
    std::string Start;
    std::string Finish;
    std::string Split1;
    std::string Split2;
    std::string Split3;
    std::string Source;
};

struct FormatState;

// Turns row n of the table into its line and keeps the line as
// state.LastRecordLine. Repairs bib digits above 9 in the table and takes
// DayTimeBase from bib-timer records. A row outside the table gives the last
// line again and changes nothing.
RecordLine FormatRecordLine(FormatState& state, RecordStore& store, int n);
