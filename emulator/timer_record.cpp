#include "emulator/timer_record.h"

#include <algorithm>

namespace {

void Put24(TimerRecordBytes& r, int at, std::uint32_t v)
{
    r[static_cast<std::size_t>(at)] = static_cast<std::uint8_t>(v >> 16);
    r[static_cast<std::size_t>(at + 1)] = static_cast<std::uint8_t>(v >> 8);
    r[static_cast<std::size_t>(at + 2)] = static_cast<std::uint8_t>(v);
}

} // namespace

TimerRecordBytes MakeTimerRecord(const TimerRecordSpec& spec)
{
    TimerRecordBytes r{};
    Put24(r, 1, spec.start);
    Put24(r, 5, spec.split1);
    Put24(r, 9, spec.split2);
    Put24(r, 13, spec.split3);
    r[16] = static_cast<std::uint8_t>(spec.dayOffset >> 24);
    Put24(r, 17, spec.dayOffset & 0xFFFFFFu);
    r[20] = spec.manual ? 1 : 0;
    Put24(r, 21, spec.finish);
    r[24] = spec.dnf ? 1 : 0;
    r[25] = static_cast<std::uint8_t>(spec.bib / 100 % 10);
    r[26] = static_cast<std::uint8_t>(spec.bib / 10 % 10);
    r[27] = static_cast<std::uint8_t>(spec.bib % 10);
    r[30] = spec.source;
    return r;
}

FrameBytes EncodeFrame(std::uint8_t count, std::uint8_t recordNumber, const TimerRecordBytes& record)
{
    FrameBytes f{};
    f[0] = 0x65;
    f[1] = 0x66;
    f[2] = count;
    f[3] = recordNumber;
    std::copy(record.begin(), record.end(), f.begin() + 4);
    f[36] = 0x67;
    f[37] = 0x68;
    return f;
}

std::vector<std::uint8_t> EncodeMemory(const std::vector<TimerRecordBytes>& memory)
{
    std::vector<std::uint8_t> stream;
    const auto count = static_cast<std::uint8_t>(std::min<std::size_t>(memory.size(), 255));
    for (std::size_t i = 0; i < count; ++i) {
        const FrameBytes f = EncodeFrame(count, static_cast<std::uint8_t>(i + 1), memory[i]);
        stream.insert(stream.end(), f.begin(), f.end());
    }
    return stream;
}
