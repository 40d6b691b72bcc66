#include "entrants/start_list.h"

#include <QRegularExpression>

#include <algorithm>
#include <map>

namespace {

// A header's name as it is compared: letters and digits in lower case,
// everything else one blank.
QString Plain(const QString& name)
{
    QString plain;
    for (const QChar c : name.toCaseFolded())
        plain += c.isLetterOrNumber() || c == QLatin1Char('#') ? c : QLatin1Char(' ');
    return plain.simplified();
}

QStringList Names(const char* english, const QString& translated)
{
    QStringList names;
    for (const QString& list : {QString::fromUtf8(english), translated})
        for (const QString& n : list.split(QLatin1Char('|'), Qt::SkipEmptyParts))
            names << Plain(n);
    return names;
}

// A birth date in the forms start lists write it: 1985-04-30, 30.04.1985,
// 30/04/1985 or 04/30/1985 (`monthFirst`), or a year alone.
std::optional<QDate> ReadDate(const QString& text, bool monthFirst, bool* yearOnly)
{
    *yearOnly = false;
    const QString t = text.trimmed();
    static const QRegularExpression year(QStringLiteral("^(19|20)\\d\\d$"));
    if (year.match(t).hasMatch()) {
        *yearOnly = true;
        return QDate(t.toInt(), 1, 1);
    }
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})$"));
    static const QRegularExpression other(QStringLiteral("^(\\d{1,2})[./-](\\d{1,2})[./-](\\d{4})$"));
    QDate date;
    if (const auto m = iso.match(t); m.hasMatch())
        date = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    else if (const auto o = other.match(t); o.hasMatch()) {
        const int a = o.captured(1).toInt();
        const int b = o.captured(2).toInt();
        const bool slashes = t.contains(QLatin1Char('/'));
        date = slashes && monthFirst ? QDate(o.captured(3).toInt(), a, b) : QDate(o.captured(3).toInt(), b, a);
    }
    return date.isValid() ? std::optional<QDate>(date) : std::nullopt;
}

// Slashed dates are month first when one of them cannot be day first.
bool MonthFirst(const TextTable& table, std::optional<int> column)
{
    if (!column)
        return false;
    static const QRegularExpression slashed(QStringLiteral("^\\s*(\\d{1,2})/(\\d{1,2})/\\d{4}\\s*$"));
    for (const QStringList& row : table.rows)
        if (*column < row.size())
            if (const auto m = slashed.match(row[*column]); m.hasMatch() && m.captured(2).toInt() > 12)
                return true;
    return false;
}

} // namespace

ColumnMapping StartListColumns::guess(const QStringList& header)
{
    //: Each list: the names a start list's header gives a column, in the
    //: operator's language, separated by |. English is always understood too.
    const std::array<QStringList, EntrantFieldCount> names = {
        Names("bib|bib #|bib no|bib number|number|no|nr|#|start number|race number", tr("bib|number")),
        Names("first name|firstname|first|given name|forename", tr("first name")),
        Names("last name|lastname|last|surname|family name", tr("last name")),
        Names("name|full name|athlete|runner|participant", tr("name")),
        Names("gender|sex|m f", tr("gender")),
        Names("birth date|birthdate|date of birth|dob|birthday|born|year of birth", tr("birth date")),
        Names("age", tr("age")),
        Names("category|division|class|age group|cat", tr("category")),
        Names("team|club|organisation|organization", tr("team")),
        Names("city|town|hometown|residence", tr("city")),
    };
    ColumnMapping mapping;
    for (int column = 0; column < header.size(); ++column) {
        const QString plain = Plain(header[column]);
        for (int f = 0; f < EntrantFieldCount; ++f)
            if (!mapping.columns[static_cast<std::size_t>(f)] && names[static_cast<std::size_t>(f)].contains(plain)) {
                mapping.columns[static_cast<std::size_t>(f)] = column;
                break;
            }
    }
    return mapping;
}

StartList ReadStartList(const TextTable& table, const ColumnMapping& columns)
{
    StartList list;
    if (!columns[EntrantField::Bib]) {
        list.problems.push_back({StartListProblem::Kind::NoBibColumn});
        return list;
    }
    const bool monthFirst = MonthFirst(table, columns[EntrantField::BirthDate]);
    std::map<int, int> lineOfBib;
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const QStringList& row = table.rows[r];
        const int line = r < table.lineOfRow.size() ? table.lineOfRow[r] : 0;
        const auto field = [&](EntrantField f) {
            const auto c = columns[f];
            return c && *c < row.size() ? row[*c].trimmed() : QString();
        };
        if (std::all_of(row.begin(), row.end(), [](const QString& f) { return f.trimmed().isEmpty(); }))
            continue;
        const QString bibText = field(EntrantField::Bib);
        bool number = false;
        const int bib = bibText.toInt(&number);
        if (bibText.isEmpty()) {
            list.problems.push_back({StartListProblem::Kind::NoBib, line});
            continue;
        }
        if (!number || bib <= 0) {
            list.problems.push_back({StartListProblem::Kind::BadBib, line, 0, bibText});
            continue;
        }
        if (const auto [at, fresh] = lineOfBib.emplace(bib, line); !fresh) {
            list.problems.push_back({StartListProblem::Kind::BibTwice, line, at->second, bibText});
            continue;
        }
        Entrant e{.bib = bib,
                  .firstName = field(EntrantField::FirstName),
                  .lastName = field(EntrantField::LastName),
                  .gender = field(EntrantField::Gender),
                  .category = field(EntrantField::Category),
                  .team = field(EntrantField::Team),
                  .city = field(EntrantField::City)};
        // One name for the whole: its last word is the last name.
        if (e.firstName.isEmpty() && e.lastName.isEmpty()) {
            const QString whole = field(EntrantField::Name);
            const qsizetype blank = whole.lastIndexOf(QLatin1Char(' '));
            e.firstName = blank < 0 ? QString() : whole.left(blank);
            e.lastName = blank < 0 ? whole : whole.mid(blank + 1);
        }
        if (const QString born = field(EntrantField::BirthDate); !born.isEmpty()) {
            e.birthDate = ReadDate(born, monthFirst, &e.yearOnly);
            if (!e.birthDate)
                list.problems.push_back({StartListProblem::Kind::BadDate, line, 0, born});
        }
        if (const QString age = field(EntrantField::Age); !age.isEmpty()) {
            bool ok = false;
            const int years = age.toInt(&ok);
            if (ok && years > 0 && years < 130)
                e.age = years;
            else
                list.problems.push_back({StartListProblem::Kind::BadDate, line, 0, age});
        }
        list.entrants.push_back(e);
    }
    return list;
}
