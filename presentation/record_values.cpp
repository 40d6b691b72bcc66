#include "presentation/record_values.h"

namespace {

// A split as the seconds display shows it: the interval since the raw point
// before it, when it is recorded and does not lie before that point.
std::int32_t Interval(std::int32_t split, std::int32_t from)
{
    return (split >= from && split > 0) ? split - from : split;
}

} // namespace

RecordValues ReadRecordValues(const RecordRow& row, double dayTimeBase)
{
    RecordValues v;
    v.seq = row[RecordField::Sequence];
    v.bib = ReadBib(row);
    v.mark = MarkOf(row);
    v.dnf = row[RecordField::DnfFlag] > 0;
    v.manual = row[RecordField::ManualFlag] > 0;
    v.source = row[RecordField::SourceCode];
    v.blank = true;
    for (int f = 0; f <= RecordField::MarkState; ++f)
        v.blank = v.blank && row[static_cast<std::size_t>(f)] == 0;
    v.start = Compose24(row, RecordField::StartTime);
    v.split1 = Compose24(row, RecordField::Split1Time);
    v.split2 = Compose24(row, RecordField::Split2Time);
    v.split3 = Compose24(row, RecordField::Split3Time);
    v.finish = Compose24(row, RecordField::FinishTime);
    v.split1Interval = Interval(v.split1, v.start);
    v.split2Interval = Interval(v.split2, v.split1);
    v.split3Interval = Interval(v.split3, v.split2);
    v.elapsed = ElapsedMilliseconds(row);
    v.dayTimeBase = dayTimeBase;
    return v;
}

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
