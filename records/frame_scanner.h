#pragma once

#include "receive_ring.h"
#include "record_table.h"
#include "scroll_range.h"

// Lines the results view shows at once; the scroll range follows from it.
constexpr int VisibleRecordRows = 31;

// Files every complete 38-byte frame in the ring: "e" "f", count, record
// number, 32 record bytes, "g" "h". Consumed bytes are set back to 0.
void ScanReceiveRing(ReceiveRing& ring, RecordStore& store, ScrollRange& scroll);
