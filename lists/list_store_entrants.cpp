#include "lists/list_store.h"

#include "lists/sqlite_statement.h"

namespace {

// One event for now: every list of the store is one of its heats.
constexpr std::int64_t TheEvent = 1;

QString Nullable(const QString& s) { return s.isEmpty() ? QString() : s; }

} // namespace

bool ListStore::writeEntrants(const std::vector<Entrant>& entrants)
{
    return transaction([&] {
        Statement drop(db_, "DELETE FROM entrants WHERE event = ?");
        if (!drop.bind(1, TheEvent).run())
            return false;
        Statement add(db_, "INSERT INTO entrants(event, bib, first_name, last_name, gender, birth_date, year_only, "
                           "age, category, team, city) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        for (const Entrant& e : entrants) {
            add.bind(1, TheEvent)
                .bind(2, e.bib)
                .bind(3, Nullable(e.firstName))
                .bind(4, Nullable(e.lastName))
                .bind(5, Nullable(e.gender))
                .bind(6, e.birthDate ? e.birthDate->toString(Qt::ISODate) : QString())
                .bind(7, e.yearOnly ? 1 : 0)
                .bind(9, Nullable(e.category))
                .bind(10, Nullable(e.team))
                .bind(11, Nullable(e.city));
            if (e.age)
                add.bind(8, *e.age);
            if (!add.run())
                return false;
        }
        return true;
    });
}

std::vector<Entrant> ListStore::entrants()
{
    std::vector<Entrant> all;
    if (!db_)
        return all;
    Statement s(db_, "SELECT bib, first_name, last_name, gender, birth_date, year_only, age, category, team, city "
                     "FROM entrants WHERE event = ? ORDER BY bib");
    s.bind(1, TheEvent);
    while (s.step() == SQLITE_ROW) {
        Entrant e;
        e.bib = static_cast<int>(s.integer(0));
        e.firstName = s.text(1);
        e.lastName = s.text(2);
        e.gender = s.text(3);
        if (const QDate born = QDate::fromString(s.text(4), Qt::ISODate); born.isValid())
            e.birthDate = born;
        e.yearOnly = s.integer(5) != 0;
        if (!s.isNull(6))
            e.age = static_cast<int>(s.integer(6));
        e.category = s.text(7);
        e.team = s.text(8);
        e.city = s.text(9);
        all.push_back(std::move(e));
    }
    return all;
}

bool ListStore::writeRules(const ResultRules& rules)
{
    QStringList starts;
    for (int age : rules.ageGroupStarts)
        starts << QString::number(age);
    return transaction([&] {
        Statement s(db_, "INSERT INTO event_rules(event, race_day, age_groups, left_out) VALUES(?, ?, ?, ?) "
                         "ON CONFLICT(event) DO UPDATE SET race_day = excluded.race_day, "
                         "age_groups = excluded.age_groups, left_out = excluded.left_out");
        return s.bind(1, TheEvent)
            .bind(2, rules.raceDay.isValid() ? rules.raceDay.toString(Qt::ISODate) : QString())
            .bind(3, starts.join(QLatin1Char(',')))
            .bind(4, rules.overallLeftOut)
            .run();
    });
}

ResultRules ListStore::rules()
{
    ResultRules rules;
    if (!db_)
        return rules;
    Statement s(db_, "SELECT race_day, age_groups, left_out FROM event_rules WHERE event = ?");
    s.bind(1, TheEvent);
    if (s.step() != SQLITE_ROW)
        return rules;
    rules.raceDay = QDate::fromString(s.text(0), Qt::ISODate);
    for (const QString& age : s.text(1).split(QLatin1Char(','), Qt::SkipEmptyParts))
        rules.ageGroupStarts.push_back(age.toInt());
    rules.overallLeftOut = static_cast<int>(s.integer(2));
    return rules;
}

bool ListStore::writeCountedRead(std::int64_t list, int bib, std::optional<int> record)
{
    return transaction([&] {
        if (!record) {
            Statement s(db_, "DELETE FROM counted_reads WHERE list = ? AND bib = ?");
            return s.bind(1, list).bind(2, bib).run();
        }
        Statement s(db_, "INSERT INTO counted_reads(list, bib, number) VALUES(?, ?, ?) "
                         "ON CONFLICT(list, bib) DO UPDATE SET number = excluded.number");
        return s.bind(1, list).bind(2, bib).bind(3, *record).run();
    });
}

std::map<int, int> ListStore::countedReads(std::int64_t list)
{
    std::map<int, int> counted;
    if (!db_)
        return counted;
    Statement s(db_, "SELECT bib, number FROM counted_reads WHERE list = ?");
    s.bind(1, list);
    while (s.step() == SQLITE_ROW)
        counted[static_cast<int>(s.integer(0))] = static_cast<int>(s.integer(1));
    return counted;
}
