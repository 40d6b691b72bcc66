// Arbitrary byte streams, delivered in pieces whose sizes the input also
// chooses, with sorts of the page between pieces: the program's framing and
// a model of it must agree after every piece on the table, the ring, the
// counters and the moves of the scroll bar. Apart from the model, every
// record filed must be the bytes of a frame the stream held whole: 38 bytes
// in a row between the markers.
#include "fuzz/framing_model.h"
#include "records/frame_scanner.h"
#include "records/record_sort.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <utility>
#include <vector>

namespace {

class RecordingRange : public ScrollRange {
public:
    std::vector<model::ScrollCall> calls;
    void setMaximum(int m) override { calls.push_back({true, m}); }
    void setValue(int v) override { calls.push_back({false, v}); }
    int maximum() const override { return 0; }
    int value() const override { return 0; }
};

} // namespace

// Stops the run at the first disagreement, saying which.
#define AGREE(same)                                                                                                    \
    do {                                                                                                               \
        if (!(same)) {                                                                                                 \
            std::fprintf(stderr, "program and model disagree: %s (line %d)\n", #same, __LINE__);                    \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ReceiveRing ring;
    RecordTableState store;
    RecordingRange scroll;
    model::Framing expected;
    std::vector<std::uint8_t> sent;
    // Record number and stored bytes of every whole frame in the stream.
    std::set<std::pair<int, std::vector<std::int32_t>>> wholeFrames;
    std::size_t at = 0;
    while (at < size) {
        const std::size_t piece = 1 + data[at] % 280;
        const std::uint8_t sortChoice = data[at];
        ++at;
        for (std::size_t k = 0; k < piece && at < size; ++k, ++at) {
            ring.append(data[at]);
            expected.receive(data[at]);
            sent.push_back(data[at]);
            const std::size_t n = sent.size();
            if (n >= 38 && sent[n - 38] == 'e' && sent[n - 37] == 'f' && sent[n - 2] == 'g' && sent[n - 1] == 'h')
                wholeFrames.insert({sent[n - 35], std::vector<std::int32_t>(sent.end() - 34, sent.end() - 3)});
        }
        const auto before = store.RecordTable;
        ScanReceiveRing(ring, store, scroll);
        expected.scan();
        for (int r = 0; r < RecordTableState::Rows; ++r) {
            const auto& row = store.RecordTable[r];
            if (row != before[r])
                AGREE(wholeFrames.count({row[RecordField::Sequence], std::vector<std::int32_t>(row.begin(), row.begin() + 31)}) == 1);
        }

        AGREE(std::equal(ring.bytes.begin(), ring.bytes.end(), expected.ring.begin()));
        AGREE(ring.RingWritePos == expected.writePos);
        AGREE(store.RecordCount == expected.recordCount);
        AGREE(store.ReportedRecordCount == expected.reportedCount);
        AGREE(store.FiledFrameCount == expected.filed);
        AGREE(scroll.calls == expected.scroll);
        for (int r = 0; r < RecordTableState::Rows; ++r)
            AGREE(std::equal(store.RecordTable[r].begin(), store.RecordTable[r].end(), expected.table[r].begin()));

        // Now and then the operator orders the page shown.
        if (sortChoice % 5 == 0) {
            const int first = store.RecordCount < 31 ? 1 : store.RecordCount - 30;
            const int last = store.RecordCount;
            const int key = sortChoice / 5 % 3;
            SortRecords(store, first, last, static_cast<SortKey>(key));
            expected.sort(first, last, key);
            for (int r = 0; r < RecordTableState::Rows; ++r)
                AGREE(std::equal(store.RecordTable[r].begin(), store.RecordTable[r].end(), expected.table[r].begin()));
        }
    }
    return 0;
}
