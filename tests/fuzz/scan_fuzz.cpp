// Arbitrary byte streams, delivered in pieces whose sizes the input also
// chooses, must never file outside the table or break its invariants.
#include "frame_scanner.h"
#include "record_sort.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ReceiveRing ring;
    RecordStore store;
    PlainScrollRange scroll;
    std::size_t at = 0;
    while (at < size) {
        const std::size_t piece = 1 + data[at] % 280;
        ++at;
        for (std::size_t k = 0; k < piece && at < size; ++k, ++at)
            ring.append(data[at]);
        ScanReceiveRing(ring, store, scroll);
        if (at % 7 == 0)
            SortRecords(store, 1, store.RecordCount < 31 ? store.RecordCount : 31,
                        static_cast<SortKey>(at % 3));
    }
    std::array<bool, RecordStore::Rows> seen{};
    for (const auto& row : store.RecordTable) {
        const int seq = row[RecordField::Sequence];
        if (seq < 0 || seq >= RecordStore::Rows || seen[static_cast<std::size_t>(seq)])
            std::abort();
        seen[static_cast<std::size_t>(seq)] = true;
    }
    if (store.RecordCount < 0 || store.RecordCount > 255)
        std::abort();
    return 0;
}
