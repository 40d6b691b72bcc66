#include "records/record_table.h"

#include <algorithm>

void RecordTableState::clearRecords()
{
    for (auto& row : RecordTable)
        std::fill(row.begin(), row.begin() + RecordField::Sequence, 0);
    unitFrames.fill({});
}

void RecordTableState::resetSequenceNumbers()
{
    for (int r = 0; r < Rows; ++r)
        RecordTable[static_cast<std::size_t>(r)][RecordField::Sequence] = r;
}

int RecordTableState::rowOfRecord(int recordNumber) const
{
    for (int r = 0; r < Rows; ++r) {
        if (RecordTable[static_cast<std::size_t>(r)][RecordField::Sequence] == recordNumber)
            return r;
    }
    // Unreachable while rows only move by whole-row exchanges.
    return recordNumber;
}

bool RecordTableState::rowIsEmpty(int row) const
{
    const auto& fields = RecordTable[static_cast<std::size_t>(row)];
    return std::all_of(fields.begin(), fields.begin() + RecordField::Sequence,
                       [](std::int32_t v) { return v == 0; });
}
