#pragma once

#include <array>
#include <cstdint>

// The circular buffer the unit's byte stream is collected in. There is no
// read position: the framing examines all 512 positions on every scan.
struct ReceiveRing {
    static constexpr int Size = 512;
    static constexpr int Mask = Size - 1;

    std::array<std::uint8_t, Size> bytes{};
    // Position of the last byte written; the first byte ever lands at 1.
    std::int16_t RingWritePos = 0;
    // Data bytes appended by the latest read call; the poll zeroes it.
    std::int16_t ReceivedByteCount = 0;

    void append(std::uint8_t byte)
    {
        RingWritePos = static_cast<std::int16_t>((RingWritePos + 1) & Mask);
        bytes[static_cast<std::size_t>(RingWritePos)] = byte;
        ReceivedByteCount = static_cast<std::int16_t>(ReceivedByteCount + 1);
    }
};
