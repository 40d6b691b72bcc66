#pragma once

#include "presentation/listed_records.h"

#include <QByteArray>
#include <QString>

#include <optional>

// The exported list as a workbook: the spreadsheet file's columns, each cell
// typed (numbers as numbers, seconds with three decimals, times of day as
// clock times), so that it reads right in a comma-decimal locale too. None,
// with why in `why`, when it could not be made.
std::optional<QByteArray> BuildExportWorkbook(const ListedRecords& records, QString* why);
