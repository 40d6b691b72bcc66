#pragma once

#include "presentation/listed_records.h"

#include <string>

// The exported list as a spreadsheet file (RFC 4180): a header row, then one
// row per listed row with every field in a column of its own, times both in
// seconds and as times of day. ASCII, so UTF-8 with no byte-order mark.
std::string BuildExportCsv(const ListedRecords& records);

// One field as RFC 4180 writes it: quoted when it holds a comma, a quote or
// a line break, its quotes doubled.
std::string CsvField(const std::string& text);
