#pragma once

#include "records/record_table.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// How far a download has come, told from the record table.
struct DownloadCount {
    int filed = 0;    // records filed under the numbers 1 to 255
    int expected = 0; // the larger of the count the unit reports and the highest record filed
    std::vector<int> missing; // numbers from 1 to `expected` with no record
};

DownloadCount CountDownload(const RecordTableState& store);

// Numbers in ascending order as a reader takes them in: "3, 7-9, 12". At
// most `maxRanges` runs are written; `notWritten` gets how many numbers the
// runs left out hold.
std::string NumberRanges(const std::vector<int>& numbers, std::size_t maxRanges = SIZE_MAX, int* notWritten = nullptr);
