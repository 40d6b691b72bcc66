#include "presentation/listed_records.h"

#include "presentation/record_line.h"

#include <algorithm>

ListedRecords ListForOutput(FormatState& format, const RecordTableState& store)
{
    ListedRecords list;
    list.unit = format.lastRecordLine.Source;
    // Every record the list on screen can show: the count byte of the last
    // frame alone may be smaller than the highest record filed (a stray frame
    // with a low count), and would drop records from the print and the file.
    const int count = std::max<int>(store.ReportedRecordCount, store.RecordCount);
    list.count = std::clamp<int>(count, 0, RecordTableState::Rows - 1);
    list.formatRow = [&format, &store](int row) { return FormatRecordLine(format, store, row); };
    list.valuesOfRow = [&format, &store](int row) {
        FormatRecordLine(format, store, row);
        return ReadRecordValues(store.RecordTable[static_cast<std::size_t>(row)], format.DayTimeBase);
    };
    return list;
}
