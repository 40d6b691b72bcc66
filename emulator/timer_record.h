#pragma once

#include <array>
#include <cstdint>
#include <vector>

// The 32 bytes of one record as the unit sends them.
using TimerRecordBytes = std::array<std::uint8_t, 32>;

// A record described the way a race produces it.
struct TimerRecordSpec {
    std::uint32_t start = 0;   // 24-bit millisecond counts; 0 = not recorded
    std::uint32_t split1 = 0;
    std::uint32_t split2 = 0;
    std::uint32_t split3 = 0;
    std::uint32_t finish = 0;
    std::uint32_t dayOffset = 0; // milliseconds since midnight, bib-timer records
    int bib = 0;                 // 0..999, sent as three digit bytes
    bool dnf = false;
    bool manual = false;
    std::uint8_t source = 1;     // 1 bib timer, 2 wand, 3 photocell
};

TimerRecordBytes MakeTimerRecord(const TimerRecordSpec& spec);

constexpr int FrameLength = 38;
using FrameBytes = std::array<std::uint8_t, FrameLength>;

// "e" "f", count, record number, the 32 record bytes, "g" "h".
FrameBytes EncodeFrame(std::uint8_t count, std::uint8_t recordNumber, const TimerRecordBytes& record);

// Frames for records 1..N of a memory, count byte N, in record order.
std::vector<std::uint8_t> EncodeMemory(const std::vector<TimerRecordBytes>& memory);
