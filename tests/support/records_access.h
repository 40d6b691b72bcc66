#pragma once

#include "records/records.h"

// The table itself, for a test to set up states no unit or click would make.
struct RecordsTestAccess {
    static RecordTableState& table(Records& records) { return records.table_; }
};
