#include "export/export_run.h"
#include "export/export_text.h"
#include "presentation/record_line.h"
#include "records/record_sort.h"
#include "support/record_fill.h"

#include <gtest/gtest.h>

namespace {

const std::string Space = "         \r\n";
const std::string Headings =
    "SEQ     BIB #         TIME           START          FINISH         SPLIT1         SPLIT2         SPLIT3\r\n";

std::string Header(const std::string& unit)
{
    return Space + "Race.txt    Date  =  12-08-2026    Time  =  09:05:07     Unit = " + unit + "\r\n" + Space + Space
        + Space + Headings + Space + Space;
}

// A line of texts that all fit their fields, padded to the file's columns.
std::string Line(const std::vector<std::string>& texts)
{
    const int columns[] = {1, 9, 23, 38, 53, 68, 83, 98};
    std::string line;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        line.resize(static_cast<std::size_t>(columns[i] - 1), ' ');
        line += texts[i];
    }
    return line + "\r\n";
}

std::string Export(FormatState& f, RecordTableState& s)
{
    return BuildExportText(ListForOutput(f, s), "Race.txt", "12-08-2026", "09:05:07");
}

TEST(ExportText, NoRecordsRightAfterStart)
{
    FormatState f;
    RecordTableState s;
    EXPECT_EQ(Export(f, s), Header(""));
}

TEST(ExportText, UnitIsTheSourceFormattedLastBeforeTheExport)
{
    FormatState f;
    RecordTableState s;
    FillRow(s, 3, MakeTimerRecord({.source = 3}));
    FormatRecordLine(f, s, 3);
    EXPECT_EQ(Export(f, s), Header("PhotoCell"));
}

TEST(ExportText, RecordLinesInSecondsMode)
{
    FormatState f;
    RecordTableState s;
    FillRow(s, 1, MakeTimerRecord({.start = 1000, .finish = 61500, .bib = 7}));
    FillRow(s, 2, MakeTimerRecord({.start = 16777000, .split1 = 16777100, .finish = 1000, .bib = 255,
                                   .source = 2}));
    s.RecordTable[2][RecordField::MarkState] = 2;
    s.ReportedRecordCount = 2;
    const std::string text = Export(f, s);
    EXPECT_EQ(text,
              Header("") + Line({"1", "7", "60.500", "1.000", "61.500", "0.000", "0.000", "0.000"})
                  + Line({"2   DQ", "255", "1.216", "16777.000", "1.000", "0.100", "0.000", "0.000"}));
}

TEST(ExportText, DayTimeModeAndFlags)
{
    FormatState f;
    f.TimeDisplayMode = TimeDisplay::TimeOfDay;
    RecordTableState s;
    FillRow(s, 1, MakeTimerRecord({.start = 1500, .finish = 3000, .dayOffset = 43200000, .bib = 12, .dnf = true}));
    s.RecordTable[1][RecordField::MarkState] = 1;
    s.ReportedRecordCount = 1;
    EXPECT_EQ(Export(f, s),
              Header("") + Line({"1   *", "12      DNF", "1.500", "12:00:01:50", "12:00:03:00", "00:00:00:00",
                                 "00:00:00:00", "00:00:00:00"}));
}

TEST(ExportText, ALongBibPushesTheRestToANewLineAtColumn23)
{
    FormatState f;
    RecordTableState s;
    FillRow(s, 1, MakeTimerRecord({.start = 1000, .finish = 2000, .bib = 45, .dnf = true, .manual = true}));
    s.ReportedRecordCount = 1;
    // The rest of the record goes on from column 23 of the new line.
    const std::string rest = Line({"", "", "1.000", "1.000", "2.000", "0.000", "0.000", "0.000"});
    EXPECT_EQ(Export(f, s), Header("") + "1       45      DNF     MAN\r\n" + rest);
    EXPECT_EQ(rest.substr(0, 23), std::string(22, ' ') + "1");
}

TEST(ExportText, EmptyRowsAndTheSortedOrder)
{
    FormatState f;
    RecordTableState s;
    FillRow(s, 1, MakeTimerRecord({.start = 1, .bib = 9}));
    FillRow(s, 3, MakeTimerRecord({.start = 1, .bib = 2}));
    s.ReportedRecordCount = 3;
    SortRecords(s, 1, 3, SortKey::BibNumber);
    const std::string text = Export(f, s);
    const std::string body = text.substr(Header("").size());
    // Row 1 now holds the empty record 2 (bib 0), then bibs 2 and 9.
    EXPECT_EQ(body.substr(0, 9), "2       0");
    EXPECT_NE(body.find("\r\n3       2 "), std::string::npos);
    EXPECT_NE(body.find("\r\n1       9 "), std::string::npos);
    EXPECT_EQ(std::count(body.begin(), body.end(), '\n'), 3);
}

// The file lists every record the screen can show: a last frame whose count
// byte is low (or 0) cuts nothing off; records the unit reports but that
// never came are listed as the empty lines they are.
TEST(ExportText, TheRecordLinesGoToTheLargerOfTheReportedCountAndTheHighestRecord)
{
    const struct {
        int reported;
        int lines;
    } cases[] = {{5, 5}, {1, 5}, {0, 5}, {7, 7}};
    for (const auto& c : cases) {
        FormatState f;
        RecordTableState s;
        FillRecords(s, 5);
        s.ReportedRecordCount = static_cast<std::int16_t>(c.reported);
        const std::string body = Export(f, s).substr(Header("").size());
        EXPECT_EQ(std::count(body.begin(), body.end(), '\n'), c.lines) << "reported " << c.reported;
    }
}

TEST(ExportText, ColumnPadding)
{
    struct Case {
        std::string before;
        int column;
        std::string after;
    };
    for (const Case& c : {Case{"abc", 9, "abc     X"}, Case{"12345678", 9, "12345678X"},
                          Case{"123456789", 9, "123456789\r\n        X"}}) {
        std::string out = c.before;
        std::size_t lineStart = 0;
        PlaceAtColumn(out, lineStart, "X", c.column);
        EXPECT_EQ(out, c.after);
    }
}

} // namespace
