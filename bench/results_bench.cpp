// The results at an event's full size: a start list of 20,000 entrants read
// from its file as a spreadsheet writes it and kept in the store, and the places of a full list of
// 255 records over them, made again as they are after every change.
#include "emulator/timer_record.h"
#include "entrants/entrant_list.h"
#include "entrants/start_list.h"
#include "lists/list_store.h"
#include "results/places.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int Entrants = 20000;

QByteArray StartListFile()
{
    QByteArray file = "Bib;First Name;Last Name;Gender;Birth Date;Category;Club\r\n";
    for (int bib = 1; bib <= Entrants; ++bib)
        file += QStringLiteral("%1;Anne-Marie;\"Dahl, Jr.\";%2;%3.%4.19%5;%6;IL Tempo\r\n")
                    .arg(bib)
                    .arg(bib % 2 ? 'F' : 'M')
                    .arg(1 + bib % 28)
                    .arg(1 + bib % 12)
                    .arg(50 + bib % 50)
                    .arg(bib % 3 ? QStringLiteral("Open") : QStringLiteral("Masters"))
                    .toLatin1();
    return file;
}

// From the file's bytes to the entrants taken: the encoding and separator
// found, the columns guessed, every row read and checked.
void BM_ImportStartList(benchmark::State& state)
{
    const QByteArray file = StartListFile();
    for (auto _ : state) {
        const std::optional<TextTable> table = ReadTextTable(file);
        const StartList list = ReadStartList(*table, StartListColumns::guess(table->header));
        const EntrantList entrants(list.entrants);
        benchmark::DoNotOptimize(entrants.size());
    }
    state.counters["entrants"] = Entrants;
}
BENCHMARK(BM_ImportStartList)->Unit(benchmark::kMillisecond);

// The entrants written to the store in one transaction, synced, as an import keeps them.
void BM_KeepStartList(benchmark::State& state)
{
    const std::optional<TextTable> table = ReadTextTable(StartListFile());
    const StartList list = ReadStartList(*table, StartListColumns::guess(table->header));
    QTemporaryDir dir;
    ListStore store(dir.path());
    if (!store.open().open) {
        state.SkipWithError("the store did not open");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(store.writeEntrants(list.entrants));
}
BENCHMARK(BM_KeepStartList)->Unit(benchmark::kMillisecond);

// The places of 255 records, overall, by gender, category and age group.
void BM_PlacesOfAFullList(benchmark::State& state)
{
    std::vector<Entrant> field;
    for (int bib = 1; bib <= Entrants; ++bib) {
        Entrant e;
        e.bib = bib;
        e.lastName = QStringLiteral("Runner");
        e.gender = bib % 2 ? QStringLiteral("F") : QStringLiteral("M");
        e.category = bib % 3 ? QStringLiteral("Open") : QStringLiteral("Masters");
        e.birthDate = QDate(1950 + bib % 50, 1 + bib % 12, 1 + bib % 28);
        field.push_back(e);
    }
    const EntrantList entrants(field);
    RecordTableState table;
    for (int r = 1; r < RecordTableState::Rows; ++r) {
        const auto bytes = MakeTimerRecord({.start = 1000, .finish = 1000 + 600000u + 997u * static_cast<unsigned>(r % 97),
                                            .bib = r, .dnf = r % 50 == 0});
        for (int b = 0; b < RecordField::StoredRecordBytes; ++b)
            table.RecordTable[static_cast<std::size_t>(r)][static_cast<std::size_t>(b)] = bytes[static_cast<std::size_t>(b)];
    }
    const ResultRules rules{.raceDay = QDate(2026, 6, 1), .ageGroupStarts = AgeGroupSteps(20, 5), .overallLeftOut = 3};
    for (auto _ : state) {
        const Results results = ComputeResults(table, entrants, rules, {});
        benchmark::DoNotOptimize(results.lines.data());
    }
}
BENCHMARK(BM_PlacesOfAFullList)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
