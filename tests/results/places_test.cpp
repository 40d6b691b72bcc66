#include "results/places.h"

#include "emulator/timer_record.h"
#include "support/record_fill.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Crossing {
    int bib;
    std::uint32_t elapsed; // 0: no finish
    bool dnf = false;
    bool dq = false;
};

Entrant Runner(int bib, const char* gender, const char* category, int age)
{
    Entrant e;
    e.bib = bib;
    e.lastName = QStringLiteral("Runner %1").arg(bib);
    e.gender = QString::fromLatin1(gender);
    e.category = QString::fromLatin1(category);
    e.age = age;
    return e;
}

// Each line as "bib status place/gender/category/age-group", in results order.
std::vector<std::string> Lines(const std::vector<Crossing>& crossings, const std::vector<Entrant>& entrants,
                               const ResultRules& rules = {}, const CountedReads& counted = {})
{
    RecordTableState table;
    int record = 0;
    for (const Crossing& c : crossings) {
        ++record;
        FillRow(table, record,
                MakeTimerRecord({.start = 1000, .finish = c.elapsed ? 1000 + c.elapsed : 0, .bib = c.bib, .dnf = c.dnf}));
        if (c.dq)
            table.RecordTable[static_cast<std::size_t>(record)][RecordField::MarkState] = 2;
    }
    const EntrantList list(entrants);
    const Results results = ComputeResults(table, list, rules, counted);
    static const char* const names[] = {"placed", "dnf", "dq", "unknown", "nobib", "twice", "notcounted"};
    std::vector<std::string> out;
    for (const ResultLine& l : results.lines)
        out.push_back(std::to_string(l.bib) + " " + names[static_cast<int>(l.status)] + " " + std::to_string(l.place)
                      + "/" + std::to_string(l.genderPlace) + "/" + std::to_string(l.categoryPlace) + "/"
                      + std::to_string(l.ageGroupPlace));
    return out;
}

using Want = std::vector<std::string>;

TEST(Places, OverTheWholeListWithTiesAndThoseOutOfThePlaces)
{
    const std::vector<Entrant> field = {Runner(1, "M", "Elite", 30), Runner(2, "F", "Elite", 41),
                                        Runner(3, "m", "Open", 44),  Runner(4, "F", "Open", 25),
                                        Runner(5, "M", "", 47),      Runner(6, "F", " open ", 33)};
    ResultRules groups;
    groups.ageGroupStarts = AgeGroupSteps(20, 10);
    ResultRules groupsLeavingOutTheFirst = groups;
    groupsLeavingOutTheFirst.overallLeftOut = 1;
    struct Case {
        const char* what;
        std::vector<Crossing> crossings;
        std::vector<Entrant> entrants;
        ResultRules rules;
        CountedReads counted;
        Want want;
    };
    const Case cases[] = {
        {"a tie shares its place and the next skips",
         {{1, 300000}, {2, 290000}, {3, 290000}, {4, 310000}},
         {},
         {},
         {},
         {"2 placed 1/0/0/0", "3 placed 1/0/0/0", "1 placed 3/0/0/0", "4 placed 4/0/0/0"}},
        {"disqualified, flagged and unfinished records follow the placed, by status",
         {{1, 300000, false, true}, {2, 310000, true}, {3, 0}, {4, 320000}},
         {},
         {},
         {},
         {"4 placed 1/0/0/0", "2 dnf 0/0/0/0", "3 dnf 0/0/0/0", "1 dq 0/0/0/0"}},
        {"a bib with no entrant row, and bib 0, wait for a look",
         {{9, 300000}, {0, 280000}, {1, 310000}},
         field,
         {},
         {},
         {"1 placed 1/1/1/0", "9 unknown 0/0/0/0", "0 nobib 0/0/0/0"}},
        {"gender and category places, case and blanks aside",
         {{1, 300000}, {2, 301000}, {3, 302000}, {4, 303000}, {5, 304000}, {6, 305000}},
         field,
         {},
         {},
         {"1 placed 1/1/1/0", "2 placed 2/1/2/0", "3 placed 3/2/1/0", "4 placed 4/2/2/0", "5 placed 5/3/0/0",
          "6 placed 6/3/3/0"}},
        {"age groups within each gender",
         {{1, 300000}, {2, 301000}, {3, 302000}, {4, 303000}, {5, 304000}, {6, 305000}},
         field,
         groups,
         {},
         {"1 placed 1/1/1/1", "2 placed 2/1/2/1", "3 placed 3/2/1/1", "4 placed 4/2/2/1", "5 placed 5/3/0/2",
          "6 placed 6/3/3/1"}},
        {"the overall first left out of their group, which the next one takes",
         {{1, 300000}, {5, 301000}, {3, 302000}},
         field,
         groupsLeavingOutTheFirst,
         {},
         {"1 placed 1/1/1/0", "5 placed 2/2/0/1", "3 placed 3/3/1/2"}},
        {"a bib read twice counts neither until one is chosen",
         {{1, 300000}, {2, 310000}, {1, 320000}},
         {},
         {},
         {},
         {"2 placed 1/0/0/0", "1 twice 0/0/0/0", "1 twice 0/0/0/0"}},
        {"the chosen read counts, the other is set aside",
         {{1, 300000}, {2, 310000}, {1, 320000}},
         {},
         {},
         {{1, 3}},
         {"2 placed 1/0/0/0", "1 placed 2/0/0/0", "1 notcounted 0/0/0/0"}},
        {"a choice naming no read of that bib leaves both waiting",
         {{1, 300000}, {2, 310000}, {1, 320000}},
         {},
         {},
         {{1, 2}},
         {"2 placed 1/0/0/0", "1 twice 0/0/0/0", "1 twice 0/0/0/0"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Lines(c.crossings, c.entrants, c.rules, c.counted), c.want) << c.what;
}

TEST(Places, AgeOnRaceDayAndItsGroup)
{
    const QDate raceDay(2026, 6, 15);
    struct Case {
        std::optional<QDate> born;
        bool yearOnly;
        std::optional<int> givenAge;
        std::optional<int> want;
    };
    const Case cases[] = {
        {QDate(1986, 6, 15), false, std::nullopt, 40}, // the birthday itself
        {QDate(1986, 6, 16), false, std::nullopt, 39}, // the day after the race
        {QDate(1986, 1, 1), true, std::nullopt, 40},   // a year alone: the age reached that year
        {std::nullopt, false, 52, 52},                 // the age as the start list gave it
        {std::nullopt, false, std::nullopt, std::nullopt},
        {QDate(2027, 1, 1), false, std::nullopt, std::nullopt}, // born after the race: a mistake, no age
    };
    for (const Case& c : cases) {
        Entrant e;
        e.birthDate = c.born;
        e.yearOnly = c.yearOnly;
        e.age = c.givenAge;
        EXPECT_EQ(AgeOn(e, raceDay), c.want) << (c.born ? c.born->toString().toStdString() : "no date");
    }

    const std::vector<int> steps = AgeGroupSteps(20, 10);
    const std::vector<int> ranges = {18, 35, 50};
    const std::pair<std::vector<int>, std::vector<std::pair<int, const char*>>> groups[] = {
        {steps, {{19, "U20"}, {20, "20-29"}, {29, "20-29"}, {95, "90+"}}},
        {ranges, {{17, "U18"}, {18, "18-34"}, {49, "35-49"}, {50, "50+"}, {80, "50+"}}},
        {{}, {{40, ""}}},
    };
    for (const auto& [starts, ages] : groups)
        for (const auto& [age, name] : ages)
            EXPECT_EQ(AgeGroupName(starts, age).toStdString(), name) << age;
}

} // namespace
