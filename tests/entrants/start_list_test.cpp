#include "entrants/start_list.h"

#include <gtest/gtest.h>

namespace {

using F = EntrantField;

// The columns are found by the names start lists give them.
TEST(StartList, ColumnsAreFoundByTheirHeaderNames)
{
    const struct {
        QStringList header;
        std::vector<std::pair<F, int>> found;
    } cases[] = {
        {{"Bib #", "First Name", "Last Name", "Sex", "DOB", "Club", "Category"},
         {{F::Bib, 0}, {F::FirstName, 1}, {F::LastName, 2}, {F::Gender, 3}, {F::BirthDate, 4}, {F::Team, 5},
          {F::Category, 6}}},
        {{"No.", "Name", "GENDER", "Age", "Team", "City", "Shirt size"},
         {{F::Bib, 0}, {F::Name, 1}, {F::Gender, 2}, {F::Age, 3}, {F::Team, 4}, {F::City, 5}}},
        {{"surname", "given_name", "number", "year of birth", "division"},
         {{F::LastName, 0}, {F::FirstName, 1}, {F::Bib, 2}, {F::BirthDate, 3}, {F::Category, 4}}},
    };
    for (const auto& c : cases) {
        const ColumnMapping m = StartListColumns::guess(c.header);
        int mapped = 0;
        for (const auto& column : m.columns)
            mapped += column ? 1 : 0;
        EXPECT_EQ(mapped, static_cast<int>(c.found.size())) << c.header.join(",").toStdString();
        for (const auto& [field, column] : c.found)
            EXPECT_EQ(m[field], column) << c.header.join(",").toStdString() << " field " << static_cast<int>(field);
    }
}

TEST(StartList, EntrantsAreReadAndEachProblemIsToldWithItsLine)
{
    const auto table = ReadTextTable("Bib,Name,Born,Age\n"
                                     "7,Ann Marie Smith,04/30/1985,\n"
                                     "8,Bo,1990,41\n"
                                     "7,Cy Twice,,\n"
                                     ",No Bib,,\n"
                                     "A12,Bad Bib,,\n"
                                     "9,Di,31.02.1985,\n"
                                     ",,,\n"
                                     "10,Ed,2001-12-24,abc\n");
    ASSERT_TRUE(table);
    const StartList list = ReadStartList(*table, StartListColumns::guess(table->header));
    ASSERT_EQ(list.entrants.size(), 4u);
    const Entrant& ann = list.entrants[0];
    EXPECT_EQ(ann.bib, 7);
    EXPECT_EQ(ann.firstName, "Ann Marie");
    EXPECT_EQ(ann.lastName, "Smith");
    EXPECT_EQ(ann.birthDate, QDate(1985, 4, 30)) << "slashed dates are month first when one cannot be day first";
    EXPECT_TRUE(list.entrants[1].yearOnly);
    EXPECT_EQ(list.entrants[1].age, 41);
    EXPECT_EQ(list.entrants[3].birthDate, QDate(2001, 12, 24));

    using K = StartListProblem::Kind;
    const std::vector<std::tuple<K, int, int, QString>> told = {
        {K::BibTwice, 4, 2, "7"}, {K::NoBib, 5, 0, ""},       {K::BadBib, 6, 0, "A12"},
        {K::BadDate, 7, 0, "31.02.1985"}, {K::BadDate, 9, 0, "abc"},
    };
    ASSERT_EQ(list.problems.size(), told.size());
    for (std::size_t i = 0; i < told.size(); ++i) {
        const StartListProblem& p = list.problems[i];
        EXPECT_EQ(std::tuple(p.kind, p.line, p.firstLine, p.text), told[i]) << i;
    }

    const auto noBib = ReadTextTable("Name,Club\nAnn,Fast\n");
    ASSERT_TRUE(noBib);
    const StartList without = ReadStartList(*noBib, StartListColumns::guess(noBib->header));
    ASSERT_EQ(without.problems.size(), 1u);
    EXPECT_EQ(without.problems[0].kind, K::NoBibColumn);
    EXPECT_TRUE(without.entrants.empty());
}

} // namespace
