#pragma once

#include "entrants/text_table.h"

#include <QCoreApplication>
#include <QDate>
#include <QString>

#include <array>
#include <optional>
#include <vector>

// What a start list can say of an entrant, each in a column of its own.
enum class EntrantField { Bib, FirstName, LastName, Name, Gender, BirthDate, Age, Category, Team, City };
inline constexpr int EntrantFieldCount = 10;

// Which column of the file holds each field; none where no column does.
struct ColumnMapping {
    std::array<std::optional<int>, EntrantFieldCount> columns{};
    std::optional<int>& operator[](EntrantField f) { return columns[static_cast<std::size_t>(f)]; }
    const std::optional<int>& operator[](EntrantField f) const { return columns[static_cast<std::size_t>(f)]; }
};

// The columns found from the header's names, in English and in the
// operator's language; the operator confirms or changes them before
// anything is taken.
class StartListColumns {
    Q_DECLARE_TR_FUNCTIONS(StartListColumns)
public:
    static ColumnMapping guess(const QStringList& header);
};

struct Entrant {
    int bib = 0;
    QString firstName;
    QString lastName;
    QString gender;
    // A birth date, or only its year (the first of January, `yearOnly`).
    std::optional<QDate> birthDate;
    bool yearOnly = false;
    std::optional<int> age;
    QString category;
    QString team;
    QString city;
};

// What stands in the way of taking a start list: each told, and then
// nothing is taken.
struct StartListProblem {
    enum class Kind { NoBibColumn, NoBib, BadBib, BibTwice, BadDate };
    Kind kind;
    // The line of the file, from 1; BibTwice: the line of the first row with that bib.
    int line = 0;
    int firstLine = 0;
    // The text that could not be read.
    QString text = {};
};

struct StartList {
    std::vector<Entrant> entrants;
    std::vector<StartListProblem> problems;
};

// The entrants of the table, read through the mapping. A row with no field
// at all is skipped; each problem is told with its line.
StartList ReadStartList(const TextTable& table, const ColumnMapping& columns);
