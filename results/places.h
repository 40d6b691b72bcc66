#pragma once

#include "entrants/entrant_list.h"
#include "entrants/event_rules.h"
#include "records/record_table.h"

#include <QString>

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

// Groups of `step` years from `first` up to 99, the last one open.
std::vector<int> AgeGroupSteps(int first, int step);
// The name of the group an age falls in: "40-49", "70+", "U20" below the first.
QString AgeGroupName(const std::vector<int>& starts, int age);

// Which of the records of a bib read twice counts, by bib; the operator chose it.
using CountedReads = std::map<int, int>;

enum class ResultStatus {
    Placed,
    DidNotFinish,  // flagged so by the unit, or no finish time
    Disqualified,  // marked so by the operator
    UnknownBib,    // a bib that is in no entrant row
    NoBib,         // the record has bib 0
    ReadTwice,     // one of two or more records of a bib, none chosen yet
    NotCounted,    // another record of its bib was chosen
};

struct ResultLine {
    int record = 0;
    int bib = 0;
    std::int64_t elapsed = 0; // milliseconds, as the TIME column shows them
    // A copy, so that results outlive the entrant list they were made from.
    std::optional<Entrant> entrant;
    ResultStatus status = ResultStatus::Placed;
    // 0: no place of that kind.
    int place = 0;
    int genderPlace = 0;
    int categoryPlace = 0;
    int ageGroupPlace = 0;
    std::optional<int> age;
    QString ageGroup;
};

// The placed first, by place; then the rest by status and record number.
struct Results {
    std::vector<ResultLine> lines;
    int needingALook = 0; // unknown bibs, no bib, read twice
};

// What a line is placed by within its gender and its category: the
// entrant's text trimmed, in one letter case ("open" is "Open"); empty when
// it has none.
QString GenderKey(const ResultLine& line);
QString CategoryKey(const ResultLine& line);

// Places over every record of the table, not only those on screen. With no
// entrants at all every bib takes its place by time alone. Ties share a
// place, and the next place skips as many.
Results ComputeResults(const RecordTableState& table, const EntrantList& entrants, const ResultRules& rules,
                       const CountedReads& counted);
