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

// The time of day that row n's times count from: the offset of the nearest
// bib-timer record at or above it in the list, else of the first one below
// it; 0 in a list without one. It depends on the list alone, never on which
// line of which list was drawn, printed or exported before.
double DayTimeBaseOfRow(const RecordTableState& store, int n);

// Turns row n of the table into its line, from the row and its list alone
// (bib digits were repaired as the record was filed). What it leaves in
// `state`, each one the timing program's own rule: state.DayTimeBase becomes
// the row's base (DayTimeBaseOfRow), and the line is kept as
// state.lastRecordLine, whose Source is the Unit of the next print or
// export. A row outside the table gives the last line again.
RecordLine FormatRecordLine(FormatState& state, const RecordTableState& store, int n);
