#include "lists/log_check.h"

#include <array>
#include <cstdint>

namespace {

constexpr int HeaderSize = 32;
constexpr int FrameHeaderSize = 24;

std::uint32_t BigEndian(const QByteArray& b, qsizetype at)
{
    const auto byte = [&](qsizetype i) { return static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + i])); };
    return byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3);
}

std::uint32_t LittleEndian(const QByteArray& b, qsizetype at)
{
    const auto byte = [&](qsizetype i) { return static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + i])); };
    return byte(3) << 24 | byte(2) << 16 | byte(1) << 8 | byte(0);
}

using Sum = std::array<std::uint32_t, 2>;

// SQLite's log checksum over [at, at + length), going on from `sum`.
Sum Checksum(const QByteArray& b, qsizetype at, qsizetype length, bool bigEndian, Sum sum)
{
    for (qsizetype i = at; i < at + length; i += 8) {
        const std::uint32_t x0 = bigEndian ? BigEndian(b, i) : LittleEndian(b, i);
        const std::uint32_t x1 = bigEndian ? BigEndian(b, i + 4) : LittleEndian(b, i + 4);
        sum[0] += x0 + sum[1];
        sum[1] += x1 + sum[0];
    }
    return sum;
}

} // namespace

bool LogLostCommits(const QByteArray& log)
{
    if (log.size() < HeaderSize)
        return false;
    const std::uint32_t magic = BigEndian(log, 0);
    if ((magic & 0xfffffffe) != 0x377f0682)
        return false;
    const bool bigEndian = (magic & 1) != 0;
    const std::uint32_t pageSize = BigEndian(log, 8);
    if (pageSize < 512 || pageSize > 65536 || (pageSize & (pageSize - 1)) != 0)
        return false;
    const qsizetype frameSize = FrameHeaderSize + static_cast<qsizetype>(pageSize);
    const std::uint32_t salt1 = BigEndian(log, 16);
    const std::uint32_t salt2 = BigEndian(log, 20);
    Sum stored{BigEndian(log, 24), BigEndian(log, 28)};
    bool damageSeen = Checksum(log, 0, 24, bigEndian, {0, 0}) != stored;
    for (qsizetype at = HeaderSize; at + frameSize <= log.size(); at += frameSize) {
        // Frames of an earlier round of the log, left behind it.
        if (BigEndian(log, at + 8) != salt1 || BigEndian(log, at + 12) != salt2)
            break;
        Sum sum = Checksum(log, at, 8, bigEndian, stored);
        sum = Checksum(log, at + FrameHeaderSize, pageSize, bigEndian, sum);
        const Sum frameSum{BigEndian(log, at + 16), BigEndian(log, at + 20)};
        const bool commit = BigEndian(log, at + 4) != 0;
        if (sum != frameSum)
            damageSeen = true;
        else if (damageSeen && commit)
            return true;
        // Each frame is judged from the one before it as written, so a
        // frame after a damaged one can still be read.
        stored = frameSum;
    }
    return false;
}
