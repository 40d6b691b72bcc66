#pragma once

#include <QDate>

#include <vector>

// How an event's results are grouped beyond overall, gender and category;
// the operator sets them, and the store keeps them with the entrants.
struct ResultRules {
    // Ages are counted on this day; the day the results are made when none.
    QDate raceDay;
    // The first age of each age group, ascending; no age groups when empty.
    std::vector<int> ageGroupStarts;
    // The first this many overall take no age-group place, and leave it to the next.
    int overallLeftOut = 0;
    bool operator==(const ResultRules&) const = default;
};
