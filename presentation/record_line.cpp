#include "presentation/record_line.h"

#include "presentation/format_state.h"
#include "presentation/record_values.h"
#include "presentation/time_format.h"

#include <string>

namespace {

// A recorded time in the operator's mode, with the day-time base; an absent
// one (0) without it.
std::string FormatPresentTime(const FormatState& state, std::int32_t v)
{
    return FormatTimeValue(v, {.TimeDisplayMode = state.TimeDisplayMode,
                               .DayTimeBase = state.DayTimeBase,
                               .SuppressDayTimeBase = v == 0});
}

bool IsBibTimerRow(const RecordTableState& store, int n)
{
    return store.RecordTable[static_cast<std::size_t>(n)][RecordField::SourceCode] == SourceCode::BibTimer;
}

} // namespace

double DayTimeBaseOfRow(const RecordTableState& store, int n)
{
    for (int r = n; r >= 1; --r)
        if (IsBibTimerRow(store, r))
            return ComposeDayTimeOffset(store.RecordTable[static_cast<std::size_t>(r)]);
    for (int r = n + 1; r < RecordTableState::Rows; ++r)
        if (IsBibTimerRow(store, r))
            return ComposeDayTimeOffset(store.RecordTable[static_cast<std::size_t>(r)]);
    return 0;
}

RecordLine FormatRecordLine(FormatState& state, const RecordTableState& store, int n)
{
    if (n < 0 || n >= RecordTableState::Rows)
        return state.lastRecordLine;
    const auto& row = store.RecordTable[static_cast<std::size_t>(n)];
    state.DayTimeBase = DayTimeBaseOfRow(store, n);
    const RecordValues v = ReadRecordValues(row, state.DayTimeBase);

    const bool seconds = state.TimeDisplayMode == TimeDisplay::Seconds;
    RecordLine line;
    line.Source = SourceName(v.source);
    // Always in seconds, whatever the operator chose.
    line.Time = FormatTimeValue(static_cast<double>(v.elapsed),
                                {.TimeDisplayMode = TimeDisplay::Seconds, .SuppressDayTimeBase = true});
    line.Split1 = FormatPresentTime(state, seconds ? v.split1Interval : v.split1);
    line.Split2 = FormatPresentTime(state, seconds ? v.split2Interval : v.split2);
    line.Split3 = FormatPresentTime(state, seconds ? v.split3Interval : v.split3);
    line.Start = FormatPresentTime(state, v.start);
    line.Finish = FormatPresentTime(state, v.finish);

    line.Seq = std::to_string(v.seq);
    if (v.mark == Mark::Star)
        line.Seq += "   *";
    else if (v.mark == Mark::Disqualified)
        line.Seq += "   DQ";

    line.Bib = std::to_string(v.bib);
    if (v.dnf)
        line.Bib += "      DNF";
    if (v.manual)
        line.Bib += "     MAN";

    state.lastRecordLine = line;
    return line;
}
