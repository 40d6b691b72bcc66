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

    // The number of every position's latest byte, counted from the first byte
    // ever written (1). Markers alone cannot tell a frame from a start marker
    // written over the leftover end of another frame one lap earlier; the
    // numbers can.
    // 64 bits: the count never wraps round to the 0 of "never written".
    std::array<std::uint64_t, Size> writtenAs{};
    std::uint64_t bytesWritten = 0;

    void append(std::uint8_t byte)
    {
        RingWritePos = static_cast<std::int16_t>((RingWritePos + 1) & Mask);
        bytes[static_cast<std::size_t>(RingWritePos)] = byte;
        writtenAs[static_cast<std::size_t>(RingWritePos)] = ++bytesWritten;
        ReceivedByteCount = static_cast<std::int16_t>(ReceivedByteCount + 1);
    }

    // True when the `length` bytes from `start` on were written one after
    // another, none of them before the first: the last one was written
    // length - 1 bytes after the first, and writing goes round in order.
    bool writtenInOnePiece(int start, int length) const
    {
        const std::uint64_t first = writtenAs[static_cast<std::size_t>(start & Mask)];
        const std::uint64_t last = writtenAs[static_cast<std::size_t>((start + length - 1) & Mask)];
        return first != 0 && last - first == static_cast<std::uint64_t>(length - 1);
    }

    // Forgets every byte held, so nothing of an earlier stream can make a
    // frame with bytes still to come.
    void clear()
    {
        bytes.fill(0);
        writtenAs.fill(0);
    }
};
