#pragma once

#include "results/places.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>

// An elapsed time as results show it: H:MM:SS.ss, hundredths cut, not
// rounded, as the list's own times are.
QString ResultTime(std::int64_t milliseconds);

// Imported text as a spreadsheet cell takes it: one that would start a
// formula (=, +, -, @, a tab or a carriage return first) is led by an
// apostrophe, which spreadsheets show as text and do not run.
QString SpreadsheetText(const QString& text);

// The status word results sites know: empty for a placed line.
const char* ResultStatusWord(ResultStatus status);

// Whether a line goes into a results file: unknown bibs, records with no
// bib, reads not yet chosen and reads not counted wait for the operator.
bool IsFinalResult(const ResultLine& line);

// The results as results sites import them (RFC 4180, UTF-8, one header
// row): Place, Bib, First Name, Last Name, Gender, Age, Category, Category
// Place, Time, Status. The placed by place, then those out of the places.
std::string BuildResultsCsv(const Results& results);

// The results as a workbook: the results file's columns and the team, the
// gender place and the age group with its place, each cell typed (places
// and ages as numbers, times as durations). None, with why in `why`, when
// it could not be made.
std::optional<QByteArray> BuildResultsWorkbook(const Results& results, QString* why);
