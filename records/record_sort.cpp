#include "records/record_sort.h"

#include <utility>

RecordKeys ComputeRecordKeys(RecordTableState& store, int row)
{
    auto& fields = store.RecordTable[static_cast<std::size_t>(row)];
    RecordKeys keys;
    keys.BibNumber = RepairAndReadBib(fields);
    keys.TimeSortKey = ElapsedMilliseconds(fields);
    return keys;
}

void SwapAdjacentRecords(RecordTableState& store, int n)
{
    std::swap(store.RecordTable[static_cast<std::size_t>(n)], store.RecordTable[static_cast<std::size_t>(n + 1)]);
}

namespace {

std::int64_t KeyOf(RecordTableState& store, int row, SortKey key)
{
    switch (key) {
    case SortKey::ElapsedTime:
        return ComputeRecordKeys(store, row).TimeSortKey;
    case SortKey::BibNumber:
        return ComputeRecordKeys(store, row).BibNumber;
    case SortKey::Sequence:
        break;
    }
    return store.RecordTable[static_cast<std::size_t>(row)][RecordField::Sequence];
}

} // namespace

void SortRecords(RecordTableState& store, int first, int last, SortKey key)
{
    for (int i = first; i <= last - 1; ++i) {
        for (int j = first; j <= (last - 1) - (i - first); ++j) {
            const std::int64_t a = KeyOf(store, j, key);
            const std::int64_t b = KeyOf(store, j + 1, key);
            if (a > b)
                SwapAdjacentRecords(store, j);
        }
    }
}
