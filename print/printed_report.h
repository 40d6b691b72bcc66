#pragma once

#include "presentation/listed_records.h"
#include "print/print_system.h"

#include <QString>

class QPagedPaintDevice;

// Prints the list as one landscape document on `printer`: a header line with
// date, time and unit, the column headings, then the listed rows, each column
// at a fixed distance in millimetres from the left edge of the printable
// area. False when the printer would not start the document or failed during
// it; `failure` then says which.
bool PrintResults(QPagedPaintDevice& printer, const ListedRecords& records, const QString& date,
                  const QString& time, PrintFailure* failure = nullptr);

// The same list with every row formatted now, for a print laid out later on
// another thread: formatting touches the table and the formatting state.
ListedRecords FormattedNow(const ListedRecords& records);

// Millimetre positions of the eight columns.
extern const double PrintColumnsMm[8];
