#include "presentation/record_line.h"

#include "presentation/format_state.h"
#include "presentation/time_format.h"

#include <string>

namespace {

const char* SourceName(int code)
{
    switch (code) {
    case SourceCode::BibTimer:
        return "BibTimer";
    case SourceCode::Wand:
        return "Wand";
    case SourceCode::PhotoCell:
        return "PhotoCell";
    default:
        return "Unknown";
    }
}

// In the seconds mode a split is shown as the interval since the raw point
// before it, when it is recorded and does not lie before that point.
std::int32_t Interval(std::int32_t split, std::int32_t from)
{
    return (split >= from && split > 0) ? split - from : split;
}

// A recorded time in the operator's mode, with the day-time base; an absent
// one (0) without it.
std::string FormatPresentTime(const FormatState& state, std::int32_t v)
{
    return FormatTimeValue(v, {.TimeDisplayMode = state.TimeDisplayMode,
                               .DayTimeBase = state.DayTimeBase,
                               .SuppressDayTimeBase = v == 0});
}

} // namespace

RecordLine FormatRecordLine(FormatState& state, RecordStore& store, int n)
{
    if (n < 0 || n >= RecordStore::Rows)
        return state.lastRecordLine;
    auto& row = store.RecordTable[static_cast<std::size_t>(n)];
    RecordLine line;

    const std::int32_t start = Compose24(row, RecordField::StartTime);
    const std::int32_t split1Raw = Compose24(row, RecordField::Split1Time);
    const std::int32_t split2Raw = Compose24(row, RecordField::Split2Time);
    const std::int32_t split3Raw = Compose24(row, RecordField::Split3Time);
    const std::int32_t finish = Compose24(row, RecordField::FinishTime);

    std::int32_t split1 = split1Raw;
    std::int32_t split2 = split2Raw;
    std::int32_t split3 = split3Raw;
    if (state.TimeDisplayMode == TimeDisplay::Seconds) {
        split1 = Interval(split1Raw, start);
        split2 = Interval(split2Raw, split1Raw);
        split3 = Interval(split3Raw, split2Raw);
    }

    const int source = row[RecordField::SourceCode];
    line.Source = SourceName(source);
    if (source == SourceCode::BibTimer)
        state.DayTimeBase = ComposeDayTimeOffset(row);

    const int bib = RepairAndReadBib(row);

    // Always in seconds, whatever the operator chose.
    line.Time = FormatTimeValue(static_cast<double>(ElapsedMilliseconds(row)),
                                {.TimeDisplayMode = TimeDisplay::Seconds, .SuppressDayTimeBase = true});
    line.Split1 = FormatPresentTime(state, split1);
    line.Split2 = FormatPresentTime(state, split2);
    line.Split3 = FormatPresentTime(state, split3);
    line.Start = FormatPresentTime(state, start);
    line.Finish = FormatPresentTime(state, finish);

    line.Seq = std::to_string(row[RecordField::Sequence]);
    if (row[RecordField::MarkState] == 1)
        line.Seq += "   *";
    else if (row[RecordField::MarkState] == 2)
        line.Seq += "   DQ";

    line.Bib = std::to_string(bib);
    if (row[RecordField::DnfFlag] > 0)
        line.Bib += "      DNF";
    if (row[RecordField::ManualFlag] > 0)
        line.Bib += "     MAN";

    state.lastRecordLine = line;
    return line;
}
