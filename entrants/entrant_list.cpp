#include "entrants/entrant_list.h"

#include <algorithm>

EntrantList::EntrantList(std::vector<Entrant> entrants) : entrants_(std::move(entrants))
{
    std::stable_sort(entrants_.begin(), entrants_.end(), [](const Entrant& a, const Entrant& b) { return a.bib < b.bib; });
    entrants_.erase(std::unique(entrants_.begin(), entrants_.end(),
                                [](const Entrant& a, const Entrant& b) { return a.bib == b.bib; }),
                    entrants_.end());
}

const Entrant* EntrantList::find(int bib) const
{
    const auto it = std::lower_bound(entrants_.begin(), entrants_.end(), bib,
                                     [](const Entrant& e, int b) { return e.bib < b; });
    return it != entrants_.end() && it->bib == bib ? &*it : nullptr;
}

QString FullName(const Entrant& e) { return QStringLiteral("%1 %2").arg(e.firstName, e.lastName).trimmed(); }

std::optional<int> AgeOn(const Entrant& entrant, const QDate& day)
{
    if (!entrant.birthDate || !day.isValid())
        return entrant.age;
    const QDate& born = *entrant.birthDate;
    int age = day.year() - born.year();
    if (!entrant.yearOnly && (day.month() < born.month() || (day.month() == born.month() && day.day() < born.day())))
        --age;
    return age >= 0 ? std::optional<int>(age) : std::nullopt;
}
