#include "results/places.h"

#include "records/record_fields.h"

#include <algorithm>
#include <span>
#include <unordered_map>

namespace {

int Rank(ResultStatus s) { return static_cast<int>(s); }

// Places of the lines, by elapsed time, within each group a key names;
// lines whose key is empty take none.
template <typename Key, typename Get, typename Set>
void PlaceWithin(std::span<ResultLine> placed, Get key, Set set)
{
    struct Run {
        int count = 0;
        std::int64_t lastTime = -1;
        int lastPlace = 0;
    };
    std::map<Key, Run> runs;
    for (ResultLine& line : placed) {
        const std::optional<Key> k = key(line);
        if (!k)
            continue;
        Run& run = runs[*k];
        ++run.count;
        if (line.elapsed != run.lastTime)
            run.lastPlace = run.count;
        run.lastTime = line.elapsed;
        set(line, run.lastPlace);
    }
}

std::optional<QString> Present(const QString& key) { return key.isEmpty() ? std::nullopt : std::optional<QString>(key); }

} // namespace

QString GenderKey(const ResultLine& line) { return line.entrant ? line.entrant->gender.trimmed().toUpper() : QString(); }

QString CategoryKey(const ResultLine& line)
{
    return line.entrant ? line.entrant->category.trimmed().toUpper() : QString();
}

std::vector<int> AgeGroupSteps(int first, int step)
{
    std::vector<int> starts;
    if (step <= 0 || first < 0)
        return starts;
    for (int age = first; age < 100; age += step)
        starts.push_back(age);
    return starts;
}

QString AgeGroupName(const std::vector<int>& starts, int age)
{
    if (starts.empty())
        return {};
    if (age < starts.front())
        return QStringLiteral("U%1").arg(starts.front());
    const auto next = std::upper_bound(starts.begin(), starts.end(), age);
    const int from = *(next - 1);
    return next == starts.end() ? QStringLiteral("%1+").arg(from) : QStringLiteral("%1-%2").arg(from).arg(*next - 1);
}

Results ComputeResults(const RecordTableState& table, const EntrantList& entrants, const ResultRules& rules,
                       const CountedReads& counted)
{
    Results results;
    const QDate day = rules.raceDay.isValid() ? rules.raceDay : QDate::currentDate();
    std::vector<ResultLine> lines;
    std::unordered_map<int, std::vector<std::size_t>> ofBib;
    for (int row = 0; row < RecordTableState::Rows; ++row) {
        if (table.rowIsEmpty(row))
            continue;
        const RecordRow& fields = table.RecordTable[static_cast<std::size_t>(row)];
        ResultLine line;
        line.record = fields[RecordField::Sequence];
        line.bib = ReadBib(fields);
        line.elapsed = ElapsedMilliseconds(fields);
        if (const Entrant* entrant = entrants.find(line.bib))
            line.entrant = *entrant;
        if (line.entrant) {
            line.age = AgeOn(*line.entrant, day);
            if (line.age)
                line.ageGroup = AgeGroupName(rules.ageGroupStarts, *line.age);
        }
        if (line.bib == 0)
            line.status = ResultStatus::NoBib;
        else if (!entrants.empty() && !line.entrant)
            line.status = ResultStatus::UnknownBib;
        else if (MarkOf(fields) == Mark::Disqualified)
            line.status = ResultStatus::Disqualified;
        else if (fields[RecordField::DnfFlag] != 0 || line.elapsed <= 0)
            line.status = ResultStatus::DidNotFinish;
        if (line.bib != 0)
            ofBib[line.bib].push_back(lines.size());
        lines.push_back(std::move(line));
    }

    for (auto& [bib, indices] : ofBib) {
        if (indices.size() < 2)
            continue;
        std::vector<int> records;
        for (std::size_t i : indices)
            records.push_back(lines[i].record);
        const auto chosen = counted.find(bib);
        const bool choiceStands = chosen != counted.end()
            && std::find(records.begin(), records.end(), chosen->second) != records.end();
        for (std::size_t i : indices) {
            if (!choiceStands)
                lines[i].status = ResultStatus::ReadTwice;
            else if (lines[i].record != chosen->second)
                lines[i].status = ResultStatus::NotCounted;
        }
    }

    std::stable_sort(lines.begin(), lines.end(), [](const ResultLine& a, const ResultLine& b) {
        if (a.status != b.status)
            return Rank(a.status) < Rank(b.status);
        if (a.status == ResultStatus::Placed && a.elapsed != b.elapsed)
            return a.elapsed < b.elapsed;
        return a.record < b.record;
    });
    const auto placedEnd = std::find_if(lines.begin(), lines.end(),
                                        [](const ResultLine& l) { return l.status != ResultStatus::Placed; });
    const std::span<ResultLine> placed(lines.begin(), placedEnd);
    PlaceWithin<int>(placed, [](const ResultLine&) { return std::optional<int>(0); },
                     [](ResultLine& l, int p) { l.place = p; });
    PlaceWithin<QString>(placed, [](const ResultLine& l) { return Present(GenderKey(l)); },
                         [](ResultLine& l, int p) { l.genderPlace = p; });
    PlaceWithin<QString>(placed, [](const ResultLine& l) { return Present(CategoryKey(l)); },
                         [](ResultLine& l, int p) { l.categoryPlace = p; });
    // Age groups are placed within each gender, as races award them.
    PlaceWithin<QString>(
        placed,
        [&](const ResultLine& l) -> std::optional<QString> {
            if (l.ageGroup.isEmpty() || l.place <= rules.overallLeftOut)
                return std::nullopt;
            return QStringLiteral("%1 %2").arg(GenderKey(l), l.ageGroup);
        },
        [](ResultLine& l, int p) { l.ageGroupPlace = p; });

    for (const ResultLine& l : lines) {
        if (l.status == ResultStatus::UnknownBib || l.status == ResultStatus::NoBib
            || l.status == ResultStatus::ReadTwice)
            ++results.needingALook;
    }
    results.lines = std::move(lines);
    return results;
}
