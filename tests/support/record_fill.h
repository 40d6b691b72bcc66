#pragma once

#include "records/record_table.h"
#include "emulator/timer_record.h"

// Puts a record's bytes into a row as the framing would, keeping the row's
// mark and sequence number.
inline void FillRow(RecordTableState& store, int row, const TimerRecordBytes& bytes)
{
    auto& fields = store.RecordTable[static_cast<std::size_t>(row)];
    for (int n = 0; n < RecordField::StoredRecordBytes; ++n)
        fields[static_cast<std::size_t>(n)] = bytes[static_cast<std::size_t>(n)];
}

// Records 1..count with a start time and the bib equal to the record number.
inline void FillRecords(RecordTableState& store, int count)
{
    for (int r = 1; r <= count; ++r)
        FillRow(store, r, MakeTimerRecord({.start = 1000u + static_cast<std::uint32_t>(r), .bib = r}));
    store.RecordCount = static_cast<std::int16_t>(count);
}
