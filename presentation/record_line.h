#pragma once

#include "presentation/format_state.h"
#include "records/record_table.h"

// Turns row n of the table into its line and keeps the line as
// state.LastRecordLine. Repairs bib digits above 9 in the table and takes
// DayTimeBase from bib-timer records. A row outside the table gives the last
// line again and changes nothing.
RecordLine FormatRecordLine(FormatState& state, RecordStore& store, int n);
