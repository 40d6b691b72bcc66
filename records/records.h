#pragma once

#include "records/receive_ring.h"
#include "records/record_sort.h"
#include "records/record_table.h"
#include "records/scroll_range.h"

#include <functional>
#include <vector>

// The record table's one writer. It files the unit's frames, sets marks,
// orders a page, empties the table for a new list and puts a kept list
// back, and tells its listeners what each of these changed, once it is
// done; everything else reads the table through `table()`.
class Records {
public:
    struct Change {
        enum class Kind {
            Filed,     // `records` were filed from the unit's frames
            Marked,    // `records` holds the one record whose mark changed
            Reordered, // rows were exchanged
            Emptied,   // no records; rows in record order
            Replaced,  // the table was put back whole
        };
        Kind kind;
        std::vector<int> records = {};
    };
    using Listener = std::function<void(const Change&)>;

    const RecordTableState& table() const { return table_; }
    // Told of every change, once it is done, in the order listeners came.
    void addListener(Listener listener) { listeners_.push_back(std::move(listener)); }

    // Files every complete frame in the ring; the scroll bar follows a new
    // highest record (ScanReceiveRing).
    void fileFrames(ReceiveRing& ring, ScrollRange& scroll);
    // The poll counts the frames it files from here.
    void zeroFiledFrameCount() { table_.FiledFrameCount = 0; }
    // Sets a record's mark (0 none, 1 star, 2 disqualified).
    void setMark(int record, int mark);
    // Orders rows first..last by the key, as the described sort does (it
    // repairs bib digits on its way).
    void sortPage(int first, int last, SortKey key);
    // Every record and mark gone; with `recordOrder`, rows back in record
    // order too, and the counts at 0, as a new download needs them.
    void empty(bool recordOrder);
    // The table as a kept list left it.
    void putBack(const RecordTableState& table);

private:
    // Tests set a table up directly, where no unit or click could.
    friend struct RecordsTestAccess;
    void tell(Change change);

    RecordTableState table_;
    std::vector<Listener> listeners_;
};
