#pragma once

#include "print/printed_table.h"
#include "results/places.h"

#include <QCoreApplication>
#include <QDateTime>

// The printed results: one section per category (all in one section when no
// entrant has one), each with place, bib, name, team, time as H:MM:SS.ss and
// status, those out of the places after the placed; the records that need a
// look are left out and counted below.
class ResultsReport {
    Q_DECLARE_TR_FUNCTIONS(ResultsReport)
public:
    static PrintedTable make(const Results& results, const QDateTime& printedAt);
};
