#include "results/result_files.h"

#include "emulator/timer_record.h"
#include "support/record_fill.h"
#include "support/workbook_cells.h"

#include <gtest/gtest.h>

namespace {

TEST(ResultFiles, TimesAndTextAsResultsFilesWriteThem)
{
    const std::pair<std::int64_t, const char*> times[] = {
        {0, ""}, {9, "0:00:00.00"}, {61999, "0:01:01.99"}, {3600000, "1:00:00.00"}, {36125670, "10:02:05.67"},
    };
    for (const auto& [ms, want] : times)
        EXPECT_EQ(ResultTime(ms).toStdString(), want) << ms;

    const std::pair<const char*, const char*> texts[] = {
        {"=HYPERLINK(\"x\")", "'=HYPERLINK(\"x\")"}, {"+1", "'+1"}, {"-2", "'-2"}, {"@SUM(A1)", "'@SUM(A1)"},
        {"\t=1", "'\t=1"}, {"Anne-Marie", "Anne-Marie"}, {"O'Brien", "O'Brien"}, {"", ""},
    };
    for (const auto& [text, want] : texts)
        EXPECT_EQ(SpreadsheetText(QString::fromUtf8(text)).toStdString(), want) << text;
}

TEST(ResultFiles, TheResultsCsvHoldsTheFinalLinesOnly)
{
    RecordTableState table;
    const TimerRecordSpec crossings[] = {
        {.start = 1000, .finish = 1000 + 3723450, .bib = 7},
        {.start = 1000, .finish = 1000 + 300000, .bib = 3},
        {.start = 1000, .finish = 0, .bib = 4, .dnf = true},
        {.start = 1000, .finish = 1000 + 290000, .bib = 99}, // in no entrant row
    };
    for (int r = 0; r < 4; ++r)
        FillRow(table, r + 1, MakeTimerRecord(crossings[r]));
    Entrant named;
    named.bib = 3;
    named.firstName = QStringLiteral("Zoë");
    named.lastName = QStringLiteral("=cmd|' /C calc'!A0");
    named.gender = QStringLiteral("F");
    named.category = QStringLiteral("Open, women");
    named.age = 34;
    Entrant other;
    other.bib = 7;
    Entrant third;
    third.bib = 4;
    const EntrantList entrants({named, other, third});
    const Results results = ComputeResults(table, entrants, {}, {});
    EXPECT_EQ(BuildResultsCsv(results),
              "Place,Bib,First Name,Last Name,Gender,Age,Category,Category Place,Time,Status\r\n"
              "1,3,Zo\xc3\xab,'=cmd|' /C calc'!A0,F,34,\"Open, women\",1,0:05:00.00,\r\n"
              "2,7,,,,,,,1:02:03.45,\r\n"
              ",4,,,,,,,,DNF\r\n");
    // The workbook types its cells; its text is text, never a formula.
    QString why;
    const auto book = BuildResultsWorkbook(results, &why);
    ASSERT_TRUE(book) << why.toStdString();
    const QStringList cells = WorkbookCells(*book);
    EXPECT_EQ(cells.mid(14).join(QLatin1Char(' ')).toStdString(),
              "A2=1 B2=3 C2=\"Zo\u00eb\" D2=\"=cmd|' /C calc'!A0\" E2=\"F\" F2=34 G2=\"Open, women\" H2=1 "
              "I2=0.003472222222222222 L2=1 "
              "A3=2 B3=7 I3=0.04309548611111111 "
              "B4=4 J4=\"DNF\"");
}

} // namespace
