#include "records/records.h"

#include "records/frame_scanner.h"

#include <utility>

void Records::tell(Change change)
{
    for (const Listener& listener : listeners_)
        listener(change);
}

void Records::fileFrames(ReceiveRing& ring, ScrollRange& scroll)
{
    std::vector<int> filed;
    ScanReceiveRing(ring, table_, scroll, &filed);
    if (!filed.empty())
        tell({Change::Kind::Filed, std::move(filed)});
}

void Records::setMark(int record, int mark)
{
    auto& fields = table_.RecordTable[static_cast<std::size_t>(table_.rowOfRecord(record))];
    if (fields[RecordField::MarkState] == mark)
        return;
    fields[RecordField::MarkState] = mark;
    tell({Change::Kind::Marked, {record}});
}

void Records::sortPage(int first, int last, SortKey key)
{
    SortRecords(table_, first, last, key);
    tell({Change::Kind::Reordered});
}

void Records::empty(bool recordOrder)
{
    table_.clearRecords();
    if (recordOrder) {
        table_.RecordCount = 0;
        table_.resetSequenceNumbers();
    }
    tell({Change::Kind::Emptied});
}

void Records::putBack(const RecordTableState& table)
{
    table_ = table;
    tell({Change::Kind::Replaced});
}
