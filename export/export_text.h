#pragma once

#include "presentation/listed_records.h"

#include <string>

// The exported list: eight header lines, then one line per listed row,
// fields at fixed character columns, CRLF line ends. `fileName` is already
// in the file's 8-bit encoding.
std::string BuildExportText(const ListedRecords& records, const std::string& fileName, const std::string& date,
                            const std::string& time);

// Appends `text` so that it starts at `column` (1-based) of the current line:
// padded with spaces, or on a new line when the line is already past it.
void PlaceAtColumn(std::string& out, std::size_t& lineStart, const std::string& text, int column);
