#pragma once

#include <array>
#include <cstdint>

// One row of the record table: fields 0..30 are the record bytes as the unit
// sent them, 31 is the operator's mark and 32 the record's sequence number.
using RecordRow = std::array<std::int32_t, 33>;

namespace RecordField {
constexpr int StartTime = 1;     // bytes 1..3
constexpr int Split1Time = 5;    // bytes 5..7
constexpr int Split2Time = 9;    // bytes 9..11
constexpr int Split3Time = 13;   // bytes 13..15
constexpr int DayTimeOffset = 16; // bytes 16..19
constexpr int ManualFlag = 20;
constexpr int FinishTime = 21;   // bytes 21..23
constexpr int DnfFlag = 24;
constexpr int BibDigits = 25;    // bytes 25..27
constexpr int SourceCode = 30;
constexpr int MarkState = 31;
constexpr int Sequence = 32;
constexpr int StoredRecordBytes = 31; // bytes 0..30; byte 31 is never stored
} // namespace RecordField

namespace SourceCode {
constexpr int BibTimer = 1;
constexpr int Wand = 2;
constexpr int PhotoCell = 3;
} // namespace SourceCode

// The operator's mark of a line, as field 31 holds it.
enum class Mark { None = 0, Star = 1, Disqualified = 2 };

// The unit's millisecond counters are 24 bits wide.
constexpr std::int64_t CounterModulus = 16777216;

// A 24-bit big-endian millisecond count starting at field `first`.
inline std::int32_t Compose24(const RecordRow& row, int first)
{
    return row[first] * 65536 + row[first + 1] * 256 + row[first + 2];
}

// The 32-bit time-of-day offset, unsigned, so a first byte above 127 stays positive.
inline double ComposeDayTimeOffset(const RecordRow& row)
{
    const int f = RecordField::DayTimeOffset;
    return static_cast<double>(row[f]) * 16777216.0 + static_cast<double>(row[f + 1]) * 65536.0
        + static_cast<double>(row[f + 2]) * 256.0 + static_cast<double>(row[f + 3]);
}

inline Mark MarkOf(const RecordRow& row)
{
    const int mark = row[RecordField::MarkState];
    return mark == 1 ? Mark::Star : mark == 2 ? Mark::Disqualified : Mark::None;
}

// Elapsed time from start to finish as the TIME column and the time sort see it:
// 0 without a finish and for photocell records; the counter's wrap is undone.
inline std::int64_t ElapsedMilliseconds(const RecordRow& row)
{
    const std::int64_t start = Compose24(row, RecordField::StartTime);
    const std::int64_t finish = Compose24(row, RecordField::FinishTime);
    if (finish <= 0 || row[RecordField::SourceCode] == SourceCode::PhotoCell)
        return 0;
    return finish >= start ? finish - start : finish + CounterModulus - start;
}

// The bib of a row, a digit byte above 9 read as 0; bibs above 255 read as 0.
inline int ReadBib(const RecordRow& row)
{
    auto digit = [&row](int f) { return row[f] > 9 ? 0 : row[f]; };
    const int f = RecordField::BibDigits;
    const int bib = digit(f) * 100 + digit(f + 1) * 10 + digit(f + 2);
    return bib > 255 ? 0 : bib;
}

// Sets digit bytes above 9 to 0 in the row itself.
inline void RepairBibDigits(RecordRow& row)
{
    for (int f = RecordField::BibDigits; f < RecordField::BibDigits + 3; ++f) {
        if (row[f] > 9)
            row[f] = 0;
    }
}

// Repairs the row's bib digits, then reads the bib.
inline int RepairAndReadBib(RecordRow& row)
{
    RepairBibDigits(row);
    return ReadBib(row);
}
