// Writes a race with every kind of field as the program's spreadsheet file
// and workbook (race.csv, race.xlsx) through the export itself, and the
// table rows they were made from in the list's order (rows.txt: the row,
// then its 33 fields), for a reader of its own to check the one against the
// other; and the race's results (results.csv, results.xlsx) with a start
// list. In the locale the environment names, as Qt sets it for the program.
#include "export/export_run.h"
#include "records/record_sort.h"
#include "results/result_files.h"
#include "support/record_fill.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

#include <clocale>
#include <cstdio>

namespace {

class Silent : public OperatorPrompt {
public:
    bool confirm(const QString&, const QString&) override { return true; }
    void tell(const QString& message, const QString& detail) override
    {
        std::fprintf(stderr, "%s %s\n", qPrintable(message), qPrintable(detail));
    }
    void inform(const QString&) override {}
};

void Race(RecordTableState& s)
{
    constexpr std::uint32_t Evening = 23 * 3600000u + 58 * 60000u; // 23:58:00
    FillRow(s, 1, MakeTimerRecord({.start = 1000, .split1 = 31000, .split2 = 62500, .split3 = 90125,
                                   .finish = 121500, .dayOffset = Evening, .bib = 7}));
    FillRow(s, 2, MakeTimerRecord({.start = 2000, .finish = 60000, .bib = 123, .dnf = true, .manual = true,
                                   .source = 2}));
    FillRow(s, 3, MakeTimerRecord({.finish = 45678, .bib = 42, .source = 3}));
    // The unit's counter wraps between start and finish.
    FillRow(s, 5, MakeTimerRecord({.start = 16770000, .split1 = 16775000, .finish = 3000, .bib = 999,
                                   .manual = true, .source = 1}));
    FillRow(s, 6, MakeTimerRecord({.start = 500, .split2 = 200, .finish = 90000, .bib = 88, .source = 9}));
    // A later bib timer, with its own time of day, an hour past midnight.
    FillRow(s, 7, MakeTimerRecord({.start = 10, .finish = 7210, .dayOffset = 3600000, .bib = 1, .dnf = true}));
    FillRow(s, 8, MakeTimerRecord({.start = 100, .finish = 100100, .bib = 255, .source = 2}));
    s.RecordTable[1][RecordField::MarkState] = 1;
    s.RecordTable[2][RecordField::MarkState] = 2;
    s.RecordTable[6][RecordField::MarkState] = 2;
    s.RecordCount = 8;
    s.ReportedRecordCount = 10;
    SortRecords(s, 1, 4, SortKey::BibNumber);
}

std::vector<Entrant> Field()
{
    auto runner = [](int bib, const char* first, const char* last, const char* gender, QDate born, const char* category) {
        Entrant e;
        e.bib = bib;
        e.firstName = QString::fromUtf8(first);
        e.lastName = QString::fromUtf8(last);
        e.gender = QString::fromLatin1(gender);
        e.birthDate = born;
        e.category = QString::fromLatin1(category);
        return e;
    };
    return {runner(7, "Zo\u00eb", "=Ng", "F", QDate(1990, 5, 1), "Open"),
            runner(42, "Per", "Lund", "M", QDate(1979, 1, 1), "Vets"),
            runner(88, "Ali", "Kaya", "M", QDate(2001, 12, 31), "Open"),
            runner(1, "Ines", "Berg, Jr.", "F", QDate(1985, 7, 14), "Vets"),
            runner(255, "Jonas", "Dahl", "M", QDate(1995, 3, 3), "Open"),
            runner(123, "Eva", "Moreau", "F", QDate(1970, 8, 9), "Vets")};
}

bool WriteResults(const QString& folder, const RecordTableState& store)
{
    const EntrantList entrants(Field());
    const Results results = ComputeResults(store, entrants, {.raceDay = QDate(2026, 6, 1), .ageGroupStarts = {}}, {});
    QFile csv(QDir(folder).filePath("results.csv"));
    QFile book(QDir(folder).filePath("results.xlsx"));
    QString why;
    const auto workbook = BuildResultsWorkbook(results, &why);
    if (!workbook) {
        std::fprintf(stderr, "%s\n", qPrintable(why));
        return false;
    }
    return csv.open(QIODevice::WriteOnly) && csv.write(QByteArray::fromStdString(BuildResultsCsv(results))) > 0
        && book.open(QIODevice::WriteOnly) && book.write(*workbook) > 0;
}

} // namespace

int main(int argc, char** argv)
{
    // Under wine the runner adds the Qt platform after the folder.
    if (argc < 2) {
        std::fprintf(stderr, "usage: spreadsheet_race FOLDER\n");
        return 2;
    }
    std::setlocale(LC_ALL, "");
    // What the locale makes of a number, for the reader to know which it was.
    char point[16];
    std::snprintf(point, sizeof point, "%.1f", 1.5);
    std::printf("1.5 in this locale: %s\n", point);
    std::fflush(stdout);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    FormatState format;
    RecordTableState store;
    Race(store);

    QFile rows(QDir(folder).filePath("rows.txt"));
    if (!rows.open(QIODevice::WriteOnly))
        return 1;
    QTextStream out(&rows);
    for (int n = 1; n <= 10; ++n) {
        out << n;
        for (std::int32_t field : store.RecordTable[static_cast<std::size_t>(n)])
            out << ' ' << field;
        out << '\n';
    }
    out.flush();

    Silent prompt;
    for (const char* name : {"race.csv", "race.xlsx"}) {
        FormatState each = format;
        const ExportRequest request{folder, QString::fromLatin1(name), {}, {}, {}};
        if (RunExport(request, each, store, prompt) != ExportOutcome::Written)
            return 1;
    }
    return WriteResults(folder, store) ? 0 : 1;
}
