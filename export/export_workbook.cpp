#include "export/export_workbook.h"

#include "export/export_csv.h"
#include "workbook/workbook.h"

std::optional<QByteArray> BuildExportWorkbook(const ListedRecords& records, QString* why)
{
    Workbook book;
    book.addSheet(QStringLiteral("Records"));
    for (std::size_t c = 0; c < SpreadsheetHeader.size(); ++c) {
        book.header(static_cast<int>(c), QString::fromLatin1(SpreadsheetHeader[c]));
        book.columnWidth(static_cast<int>(c), c < 7 ? 8 : 12);
    }
    for (int n = 1; n <= records.count; ++n) {
        const RecordValues v = records.valuesOfRow(n);
        book.number(n, 0, n);
        book.number(n, 1, v.seq);
        if (v.blank)
            continue;
        book.number(n, 2, v.bib);
        book.text(n, 3, QString::fromLatin1(MarkWord(v.mark)));
        book.text(n, 4, v.dnf ? QStringLiteral("DNF") : QString());
        book.text(n, 5, v.manual ? QStringLiteral("MAN") : QString());
        book.text(n, 6, QString::fromLatin1(SourceName(v.source)));
        const std::pair<std::int32_t, std::int32_t> times[] = {
            {v.start, v.start},
            {v.split1Interval, v.split1},
            {v.split2Interval, v.split2},
            {v.split3Interval, v.split3},
            {v.finish, v.finish},
        };
        for (int i = 0; i < 5; ++i) {
            if (times[i].first > 0)
                book.decimal(n, 7 + 2 * i, times[i].first / 1000.0, 3);
            if (const auto day = DayTimeMs(times[i].second, v.dayTimeBase))
                book.timeOfDay(n, 8 + 2 * i, *day);
        }
        if (v.elapsed > 0)
            book.decimal(n, 17, static_cast<double>(v.elapsed) / 1000.0, 3);
    }
    return book.bytes(why);
}
