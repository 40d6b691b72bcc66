#pragma once

#include "presentation/format_state.h"
#include "presentation/record_values.h"
#include "records/record_table.h"

#include <functional>
#include <string>

// The records as the printed report and the export list them: rows 1 to the
// larger of ReportedRecordCount and RecordCount (a count byte below the
// records filed hides none of them), in table order, each formatted as the
// view formats it, with the same effects on the table and the formatting state.
struct ListedRecords {
    // The Source of the line formatted last before the list was taken.
    std::string unit;
    int count = 0;
    std::function<RecordLine(int row)> formatRow;
    // The row formatted as formatRow does it, told as numbers.
    std::function<RecordValues(int row)> valuesOfRow;
};

ListedRecords ListForOutput(FormatState& format, const RecordTableState& store);
