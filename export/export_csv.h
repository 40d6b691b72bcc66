#pragma once

#include "presentation/listed_records.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// The exported list as a spreadsheet file (RFC 4180): a header row, then one
// row per listed row with every field in a column of its own, times both in
// seconds and as times of day. ASCII, so UTF-8 with no byte-order mark.
std::string BuildExportCsv(const ListedRecords& records);

// One field as RFC 4180 writes it: quoted when it holds a comma, a quote or
// a line break, its quotes doubled.
std::string CsvField(const std::string& text);

// The spreadsheet file's header row, which the workbook shares.
extern const std::array<const char*, 18> SpreadsheetHeader;
// A mark as the spreadsheet files write it: "star", "DQ" or nothing.
const char* MarkWord(Mark mark);
// A counter as milliseconds since midnight, after the day-time base; a time
// past midnight is the next morning's. None when nothing was recorded or the
// unit gave no time of day for the line.
std::optional<std::int64_t> DayTimeMs(std::int32_t counter, double base);
