#pragma once

#include "records/record_table.h"

#include <string>
#include <vector>

// How far a download has come, told from the record table.
struct DownloadCount {
    int filed = 0;    // records filed under the numbers 1 to 255
    int expected = 0; // the larger of the count the unit reports and the highest record filed
    std::vector<int> missing; // numbers from 1 to `expected` with no record
};

DownloadCount CountDownload(const RecordStore& store);

// Numbers in ascending order as a reader takes them in: "3, 7-9, 12".
std::string NumberRanges(const std::vector<int>& numbers);
