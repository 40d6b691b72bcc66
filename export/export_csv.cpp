#include "export/export_csv.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

constexpr const char* Crlf = "\r\n";
constexpr std::int64_t DayMs = 24LL * 3600 * 1000;

} // namespace

const std::array<const char*, 18> SpreadsheetHeader = {
    "Row",          "Seq",          "Bib",          "Mark",         "DNF",          "Manual",
    "Source",       "Start (s)",    "Start (time of day)",          "Split 1 (s)",  "Split 1 (time of day)",
    "Split 2 (s)",  "Split 2 (time of day)",        "Split 3 (s)",  "Split 3 (time of day)",
    "Finish (s)",   "Finish (time of day)",         "Elapsed (s)",
};

std::optional<std::int64_t> DayTimeMs(std::int32_t counter, double base)
{
    if (counter <= 0 || base <= 0)
        return std::nullopt;
    return (static_cast<std::int64_t>(base) + counter) % DayMs;
}

const char* MarkWord(Mark mark)
{
    switch (mark) {
    case Mark::Star:
        return "star";
    case Mark::Disqualified:
        return "DQ";
    case Mark::None:
        break;
    }
    return "";
}

namespace {

// Milliseconds as seconds with three decimals; empty when nothing was recorded.
std::string Seconds(std::int64_t ms)
{
    if (ms <= 0)
        return {};
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%03lld", static_cast<long long>(ms / 1000),
                  static_cast<long long>(ms % 1000));
    return text;
}

// A counter as a clock time, HH:MM:SS.mmm after the day-time base; a time
// past midnight is the next morning's. Empty when nothing was recorded or
// the unit gave no time of day for the line.
std::string TimeOfDay(std::int32_t counter, double base)
{
    const std::optional<std::int64_t> day = DayTimeMs(counter, base);
    if (!day)
        return {};
    const std::int64_t ms = *day;
    char text[32];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld.%03lld", static_cast<long long>(ms / 3600000),
                  static_cast<long long>(ms % 3600000 / 60000), static_cast<long long>(ms % 60000 / 1000),
                  static_cast<long long>(ms % 1000));
    return text;
}

void Row(std::string& out, const std::vector<std::string>& fields)
{
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += ',';
        out += CsvField(fields[i]);
    }
    out += Crlf;
}

std::vector<std::string> RecordFields(int row, const RecordValues& v)
{
    std::vector<std::string> f(SpreadsheetHeader.size());
    f[0] = std::to_string(row);
    f[1] = std::to_string(v.seq);
    if (v.blank)
        return f;
    f[2] = std::to_string(v.bib);
    f[3] = MarkWord(v.mark);
    f[4] = v.dnf ? "DNF" : "";
    f[5] = v.manual ? "MAN" : "";
    f[6] = SourceName(v.source);
    const std::array<std::pair<std::int32_t, std::int32_t>, 5> times = {{
        {v.start, v.start},
        {v.split1Interval, v.split1},
        {v.split2Interval, v.split2},
        {v.split3Interval, v.split3},
        {v.finish, v.finish},
    }};
    for (std::size_t i = 0; i < times.size(); ++i) {
        f[7 + 2 * i] = Seconds(times[i].first);
        f[8 + 2 * i] = TimeOfDay(times[i].second, v.dayTimeBase);
    }
    f[17] = Seconds(v.elapsed);
    return f;
}

} // namespace

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

std::string BuildExportCsv(const ListedRecords& records)
{
    std::string out;
    Row(out, {SpreadsheetHeader.begin(), SpreadsheetHeader.end()});
    for (int n = 1; n <= records.count; ++n)
        Row(out, RecordFields(n, records.valuesOfRow(n)));
    return out;
}
