#pragma once

#include "records/record_table.h"

// Sort keys of the ordering buttons.
enum class SortKey { ElapsedTime = 0, BibNumber = 1, Sequence = 2 };

struct RecordKeys {
    int BibNumber = 0;
    std::int64_t TimeSortKey = 0;
};

// Keys of one row; repairs the row's bib digits in the table as it goes.
RecordKeys ComputeRecordKeys(RecordTableState& store, int row);

// Exchanges all 33 fields of rows n and n + 1.
void SwapAdjacentRecords(RecordTableState& store, int n);

// Stable ascending bubble sort of rows first..last; keys are recomputed for
// every comparison. Rows outside the range are neither read nor moved.
void SortRecords(RecordTableState& store, int first, int last, SortKey key);
