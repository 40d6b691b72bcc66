// Writes a race with every kind of field as the program's spreadsheet
// export (race.csv) through the export itself, and the table rows it was
// made from in the list's order (rows.txt: the row, then its 33 fields), for
// a reader of its own to check the one against the other.
#include "export/export_run.h"
#include "records/record_sort.h"
#include "support/record_fill.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

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

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: csv_race FOLDER\n");
        return 2;
    }
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
    const ExportRequest request{folder, QStringLiteral("race.csv"), {}, {}, {}};
    return RunExport(request, format, store, prompt) == ExportOutcome::Written ? 0 : 1;
}
