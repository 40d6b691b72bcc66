#pragma once

#include "format_state.h"
#include "record_table.h"

// Turns row n of the table into state.Line. Repairs bib digits above 9 in the
// table, takes DayTimeBase from bib-timer records, and leaves TimeDisplayMode
// as it found it.
void FormatRecordLine(FormatState& state, RecordStore& store, int n);
