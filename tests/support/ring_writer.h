#pragma once

#include "records/receive_ring.h"

#include <cstdint>
#include <vector>

// Writes bytes into the ring the way the device link does.
inline void AppendToRing(ReceiveRing& ring, const std::vector<std::uint8_t>& bytes)
{
    for (std::uint8_t b : bytes)
        ring.append(b);
}

// Places bytes at an absolute ring position, wrapping at 511, as if they had
// just been written there one after another.
template <typename Bytes>
inline void PlaceInRing(ReceiveRing& ring, int position, const Bytes& bytes)
{
    for (std::size_t k = 0; k < bytes.size(); ++k) {
        const auto at = static_cast<std::size_t>((position + static_cast<int>(k)) & ReceiveRing::Mask);
        ring.bytes[at] = bytes[k];
        ring.writtenAs[at] = ++ring.bytesWritten;
    }
}
