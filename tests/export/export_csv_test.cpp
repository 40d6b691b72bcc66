#include "export/export_csv.h"
#include "presentation/record_line.h"
#include "records/record_sort.h"
#include "support/record_fill.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace {

constexpr const char* HeaderRow =
    "Row,Seq,Bib,Mark,DNF,Manual,Source,Start (s),Start (time of day),Split 1 (s),Split 1 (time of day),"
    "Split 2 (s),Split 2 (time of day),Split 3 (s),Split 3 (time of day),Finish (s),Finish (time of day),"
    "Elapsed (s)\r\n";

std::vector<std::string> Rows(const std::string& csv)
{
    std::vector<std::string> rows;
    std::size_t at = 0;
    for (std::size_t end; (end = csv.find("\r\n", at)) != std::string::npos; at = end + 2)
        rows.push_back(csv.substr(at, end - at));
    EXPECT_EQ(at, csv.size()) << "the last row ends with CRLF";
    return rows;
}

TEST(ExportCsv, FieldsAreQuotedOnlyWhereTheyMustBe)
{
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"BibTimer", "BibTimer"},
        {"12.345", "12.345"},
        {"a,b", "\"a,b\""},
        {"say \"DQ\"", "\"say \"\"DQ\"\"\""},
        {"two\r\nlines", "\"two\r\nlines\""},
        {"line\n", "\"line\n\""},
    };
    for (const auto& [text, field] : cases)
        EXPECT_EQ(CsvField(text), field) << text;
}

TEST(ExportCsv, EveryFieldInAColumnOfItsOwn)
{
    FormatState f;
    RecordTableState s;
    // A bib timer gives the time of day from 23:59:00; the wand after it
    // borrows that, and its finish falls after midnight.
    FillRow(s, 1, MakeTimerRecord({.start = 1000, .split1 = 21500, .split2 = 42000, .split3 = 50250,
                                   .finish = 61500, .dayOffset = 86340000, .bib = 7, .dnf = true,
                                   .manual = true}));
    FillRow(s, 2, MakeTimerRecord({.start = 16777000, .finish = 120000, .bib = 999, .source = 2}));
    FillRow(s, 4, MakeTimerRecord({.finish = 5000, .bib = 12, .source = 3}));
    s.RecordTable[1][RecordField::MarkState] = 2;
    s.RecordTable[2][RecordField::MarkState] = 1;
    s.RecordCount = 4;

    const std::vector<std::string> rows = Rows(BuildExportCsv(ListForOutput(f, s)));
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(rows[0] + "\r\n", HeaderRow);
    EXPECT_EQ(rows[1], "1,1,7,DQ,DNF,MAN,BibTimer,1.000,23:59:01.000,20.500,23:59:21.500,20.500,23:59:42.000,"
                       "8.250,23:59:50.250,61.500,00:00:01.500,60.500");
    // A bib above 255 reads as 0, as on the screen; the counter's wrap is undone.
    EXPECT_EQ(rows[2], "2,2,0,star,,,Wand,16777.000,04:38:37.000,,,,,,,120.000,00:01:00.000,120.216");
    // Nothing filed: only the numbers.
    EXPECT_EQ(rows[3], "3,3,,,,,,,,,,,,,,,,");
    // A photocell has no elapsed time.
    EXPECT_EQ(rows[4], "4,4,12,,,,PhotoCell,,,,,,,,,5.000,23:59:05.000,");
}

TEST(ExportCsv, RowsInTheListsOrderAndTheFormattingLeftAsTheFixedFileLeavesIt)
{
    FormatState f;
    RecordTableState s;
    FillRow(s, 1, MakeTimerRecord({.start = 1000, .finish = 9000, .bib = 30}));
    FillRow(s, 2, MakeTimerRecord({.start = 1000, .finish = 5000, .bib = 10, .source = 2}));
    s.RecordCount = 2;
    s.ReportedRecordCount = 3;
    SortRecords(s, 1, 2, SortKey::BibNumber);

    const std::vector<std::string> rows = Rows(BuildExportCsv(ListForOutput(f, s)));
    ASSERT_EQ(rows.size(), 4u) << "rows to the larger of the counts";
    EXPECT_EQ(rows[1].substr(0, 9), "1,2,10,,,");
    EXPECT_EQ(rows[2].substr(0, 9), "2,1,30,,,");
    EXPECT_EQ(rows[3], "3,3,,,,,,,,,,,,,,,,");
    // The next print names the source formatted last, as after the fixed file.
    EXPECT_EQ(f.lastRecordLine.Source, "Unknown");
}

} // namespace
