#include "presentation/listed_records.h"

#include "presentation/record_line.h"

#include <algorithm>

ListedRecords ListForOutput(FormatState& format, RecordStore& store)
{
    ListedRecords list;
    list.Unit = format.LastRecordLine.Source;
    // Counts are single bytes from the unit; the table bounds them anyway.
    list.Count = std::clamp<int>(store.ReportedRecordCount, 0, RecordStore::Rows - 1);
    list.formatRow = [&format, &store](int row) { return FormatRecordLine(format, store, row); };
    return list;
}
