#pragma once

#include "entrants/start_list.h"

#include <vector>

// An event's entrants, found by their bib.
class EntrantList {
public:
    EntrantList() = default;
    // Bibs are unique in a start list that was taken; the first of a bib wins otherwise.
    explicit EntrantList(std::vector<Entrant> entrants);

    const Entrant* find(int bib) const;
    const std::vector<Entrant>& all() const { return entrants_; }
    bool empty() const { return entrants_.empty(); }
    int size() const { return static_cast<int>(entrants_.size()); }

private:
    std::vector<Entrant> entrants_; // by bib
};

// "First Last", or the one the start list gave.
QString FullName(const Entrant& entrant);

// The age on `day` from the birth date, or as the start list gave it; none
// when neither is known. A year alone counts as the age reached that year.
std::optional<int> AgeOn(const Entrant& entrant, const QDate& day);
