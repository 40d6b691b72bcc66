#pragma once

// A second, plain account of how the unit's byte stream is framed and filed,
// written from the description of the receive ring and the record table
// rather than from the program's code, for the fuzzer to hold the two side
// by side.

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace model {

struct ScrollCall {
    bool maximum; // else the value
    int to;
    bool operator==(const ScrollCall&) const = default;
};

struct Framing {
    std::array<std::uint8_t, 512> ring{};
    // Which byte of the stream each position holds, counting from 1.
    std::array<std::uint32_t, 512> byteNumber{};
    std::uint32_t received = 0;
    int writePos = 0;
    std::array<std::array<std::int32_t, 33>, 256> table{};
    int recordCount = 0;
    int reportedCount = 0;
    int filed = 0;
    std::vector<ScrollCall> scroll;

    Framing()
    {
        for (int r = 0; r < 256; ++r)
            table[r][32] = r;
    }

    void receive(std::uint8_t byte)
    {
        writePos = (writePos + 1) % 512;
        ring[writePos] = byte;
        byteNumber[writePos] = ++received;
    }

    std::uint8_t& at(int i, int k) { return ring[(i + k) % 512]; }

    // Every start position in turn: the four markers around 38 bytes that
    // came one after another make a frame; its bytes are filed in the row
    // that holds the record's number and then set to 0.
    void scan()
    {
        const int before = recordCount;
        for (int i = 0; i < 512; ++i) {
            if (!(at(i, 0) == 'e' && at(i, 1) == 'f' && at(i, 36) == 'g' && at(i, 37) == 'h'))
                continue;
            const std::uint32_t first = byteNumber[i];
            if (first == 0 || byteNumber[(i + 37) % 512] != first + 37)
                continue;
            reportedCount = at(i, 2);
            const int record = at(i, 3);
            int row = 0;
            while (table[row][32] != record)
                ++row;
            for (int n = 0; n <= 30; ++n)
                table[row][n] = at(i, 4 + n);
            for (int k = 0; k < 38; ++k)
                at(i, k) = 0;
            if (record > recordCount)
                recordCount = record;
            ++filed;
        }
        // The list moves once, after the scan, to the highest record.
        if (recordCount > before) {
            const int top = recordCount < 31 ? 0 : recordCount - 31;
            scroll.push_back({true, top});
            scroll.push_back({false, top});
        }
    }

    // The three orders of the list over rows first..last: ascending, rows of
    // equal key keep their order. Working out the keys of time and bib sets
    // bib digits above 9 to 0 in every row of the range.
    void sort(int first, int last, int key)
    {
        if (last <= first)
            return;
        auto keyOf = [&](const std::array<std::int32_t, 33>& row) -> std::int64_t {
            if (key == 2)
                return row[32];
            if (key == 1) {
                const std::int64_t bib = row[25] * 100 + row[26] * 10 + row[27];
                return bib > 255 ? 0 : bib;
            }
            const std::int64_t start = row[1] * 65536 + row[2] * 256 + row[3];
            const std::int64_t finish = row[21] * 65536 + row[22] * 256 + row[23];
            if (finish <= 0 || row[30] == 3)
                return 0;
            return finish >= start ? finish - start : finish + 16777216 - start;
        };
        for (int r = first; r <= last && key != 2; ++r)
            for (int d = 25; d <= 27; ++d)
                if (table[r][d] > 9)
                    table[r][d] = 0;
        std::stable_sort(table.begin() + first, table.begin() + last + 1,
                         [&](const auto& a, const auto& b) { return keyOf(a) < keyOf(b); });
    }
};

} // namespace model
