#include "records/frame_scanner.h"
#include "support/recording_scroll.h"
#include "support/ring_writer.h"
#include "emulator/timer_record.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Records of random bytes, framed into one stream and delivered in random
// pieces of 1 to 280 bytes (one read call's worth at most), with a scan after
// every piece, as the poll does.
TEST(FramingProperty, EveryRecordIsFiledOnceWithItsExactBytes)
{
    for (unsigned seed = 1; seed <= 60; ++seed) {
        std::mt19937 rng(seed);
        std::uniform_int_distribution<int> byte(0, 255);
        std::uniform_int_distribution<int> piece(1, 280);
        const int records = std::uniform_int_distribution<int>(1, 255)(rng);

        std::vector<TimerRecordBytes> memory(static_cast<std::size_t>(records));
        for (auto& r : memory)
            for (auto& b : r)
                b = static_cast<std::uint8_t>(byte(rng));
        const std::vector<std::uint8_t> stream = EncodeMemory(memory);

        ReceiveRing ring;
        // Leftovers of an earlier session sit in the ring at the start.
        for (int k = 0; k < 40; ++k)
            ring.append(static_cast<std::uint8_t>(byte(rng)));
        RecordTableState store;
        RecordingScroll scroll;
        std::size_t at = 0;
        while (at < stream.size()) {
            const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(piece(rng)), stream.size() - at);
            AppendToRing(ring, {stream.begin() + static_cast<long>(at), stream.begin() + static_cast<long>(at + n)});
            at += n;
            ScanReceiveRing(ring, store, scroll);
        }

        ASSERT_EQ(store.FiledFrameCount, records) << "seed " << seed;
        EXPECT_EQ(store.RecordCount, records) << "seed " << seed;
        EXPECT_EQ(store.ReportedRecordCount, records) << "seed " << seed;
        for (int r = 1; r <= records; ++r)
            for (int n = 0; n < 31; ++n)
                ASSERT_EQ(store.unitFrames[static_cast<std::size_t>(r)].bytes[static_cast<std::size_t>(n)],
                          memory[static_cast<std::size_t>(r - 1)][static_cast<std::size_t>(n)])
                    << "seed " << seed << " record " << r << " byte " << n;
    }
}

} // namespace
