#pragma once

#include "records/receive_ring.h"
#include "records/record_table.h"
#include "records/scroll_range.h"

#include <vector>

// Files every complete 38-byte frame in the ring: "e" "f", count, record
// number, 32 record bytes, "g" "h", all 38 written one after another since the
// "e". Consumed bytes are set back to 0. A new
// highest record moves the scroll range once it is filed, so the redraw that
// the move causes shows the record with its data.
// `filed`, when given, gets the number of each record filed, in the order filed.
void ScanReceiveRing(ReceiveRing& ring, RecordTableState& store, ScrollRange& scroll, std::vector<int>* filed = nullptr);
