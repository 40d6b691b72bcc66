#pragma once

#include "records/record_fields.h"

#include <array>
#include <cstdint>

// The 256-row record table and the counters kept with it.
//
// Rows always hold a permutation of the sequence numbers 0..255: a sort
// exchanges whole rows, so a frame for record r is filed in whichever row now
// carries sequence number r, and no sorted record is ever overwritten.
struct RecordTableState {
    static constexpr int Rows = 256;

    std::array<RecordRow, Rows> RecordTable{};
    std::int16_t RecordCount = 0;          // highest record number filed; bounds the view
    std::int16_t ReportedRecordCount = 0;  // count byte of the last frame; with RecordCount, bounds print and export
    std::int16_t FiledFrameCount = 0;      // frames filed since the poll last zeroed it

    // Each record number's 32 bytes as its last frame brought them (the table
    // keeps 31, and repairs some when it formats them): the kept lists store
    // these. Not filed: never had a frame since the table was emptied.
    struct UnitFrame {
        bool filed = false;
        std::array<std::uint8_t, 32> bytes{};
        bool operator==(const UnitFrame&) const = default;
    };
    std::array<UnitFrame, Rows> unitFrames{};

    RecordTableState() { resetSequenceNumbers(); }

    // Fields 0..31 of every row to 0: record bytes and marks; no unit frame
    // filed. Sequence numbers stay.
    void clearRecords();
    // Every row back to its own sequence number, as at program start.
    void resetSequenceNumbers();
    // The row now holding record r.
    int rowOfRecord(int recordNumber) const;
    // True when fields 0..31 of the row are all 0.
    bool rowIsEmpty(int row) const;
};
