#include "records/frame_scanner.h"

namespace {

constexpr int FrameLength = 38;
constexpr std::uint8_t StartMarker1 = 0x65;
constexpr std::uint8_t StartMarker2 = 0x66;
constexpr std::uint8_t EndMarker1 = 0x67;
constexpr std::uint8_t EndMarker2 = 0x68;

} // namespace

void ScanReceiveRing(ReceiveRing& ring, RecordTableState& store, ScrollRange& scroll, std::vector<int>* filed)
{
    auto& b = ring.bytes;
    auto at = [&](int i, int k) -> std::uint8_t& {
        return b[static_cast<std::size_t>((i + k) & ReceiveRing::Mask)];
    };

    const int highestBefore = store.RecordCount;
    for (int i = 0; i < ReceiveRing::Size; ++i) {
        if (at(i, 0) != StartMarker1 || at(i, 1) != StartMarker2 || at(i, 36) != EndMarker1
            || at(i, 37) != EndMarker2 || !ring.writtenInOnePiece(i, FrameLength))
            continue;

        at(i, 0) = 0;
        at(i, 1) = 0;
        at(i, 36) = 0;
        at(i, 37) = 0;

        store.ReportedRecordCount = at(i, 2);
        const int r = at(i, 3);
        at(i, 2) = 0;
        at(i, 3) = 0;

        auto& row = store.RecordTable[static_cast<std::size_t>(store.rowOfRecord(r))];
        for (int n = 0; n < RecordField::StoredRecordBytes; ++n)
            row[static_cast<std::size_t>(n)] = at(i, n + 4);
        // The unit's bad bib digits read as 0 from here on; its frame keeps them.
        RepairBibDigits(row);
        auto& frame = store.unitFrames[static_cast<std::size_t>(r)];
        frame.filed = true;
        for (std::size_t n = 0; n < frame.bytes.size(); ++n)
            frame.bytes[n] = at(i, static_cast<int>(n) + 4);
        for (int k = 4; k < FrameLength - 2; ++k)
            at(i, k) = 0;

        if (r > store.RecordCount)
            store.RecordCount = static_cast<std::int16_t>(r);
        store.FiledFrameCount = static_cast<std::int16_t>(store.FiledFrameCount + 1);
        if (filed)
            filed->push_back(r);
    }

    // Once every complete frame is filed: either call may redraw the view at
    // once, and frames are found in ring order, not in the order they came,
    // so a record filed later in this scan could otherwise show as empty.
    if (store.RecordCount > highestBefore) {
        const int maximum = store.RecordCount < VisibleRecordRows ? 0 : store.RecordCount - VisibleRecordRows;
        scroll.setMaximum(maximum);
        scroll.setValue(maximum);
    }
}
