#include "results/result_files.h"

#include "export/export_csv.h"
#include "workbook/workbook.h"

#include <vector>

QString ResultTime(std::int64_t ms)
{
    if (ms <= 0)
        return {};
    return QStringLiteral("%1:%2:%3.%4")
        .arg(ms / 3600000)
        .arg(ms / 60000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms / 1000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms % 1000 / 10, 2, 10, QLatin1Char('0'));
}

QString SpreadsheetText(const QString& text)
{
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    return !text.isEmpty() && formulaStarts.contains(text.front()) ? QLatin1Char('\'') + text : text;
}

const char* ResultStatusWord(ResultStatus status)
{
    switch (status) {
    case ResultStatus::DidNotFinish:
        return "DNF";
    case ResultStatus::Disqualified:
        return "DQ";
    default:
        return "";
    }
}

bool IsFinalResult(const ResultLine& line)
{
    return line.status == ResultStatus::Placed || line.status == ResultStatus::DidNotFinish
        || line.status == ResultStatus::Disqualified;
}

std::string BuildResultsCsv(const Results& results)
{
    std::string out = "Place,Bib,First Name,Last Name,Gender,Age,Category,Category Place,Time,Status\r\n";
    auto number = [](int n) { return n > 0 ? std::to_string(n) : std::string(); };
    auto text = [](const QString& s) { return CsvField(SpreadsheetText(s).toStdString()); };
    for (const ResultLine& line : results.lines) {
        if (!IsFinalResult(line))
            continue;
        const Entrant none;
        const Entrant& e = line.entrant ? *line.entrant : none;
        const bool placed = line.status == ResultStatus::Placed;
        const std::vector<std::string> fields = {
            number(line.place),
            std::to_string(line.bib),
            text(e.firstName),
            text(e.lastName),
            text(e.gender),
            line.age ? std::to_string(*line.age) : std::string(),
            text(e.category),
            number(line.categoryPlace),
            placed ? ResultTime(line.elapsed).toStdString() : std::string(),
            ResultStatusWord(line.status),
        };
        for (std::size_t i = 0; i < fields.size(); ++i)
            out += (i ? "," : "") + fields[i];
        out += "\r\n";
    }
    return out;
}

std::optional<QByteArray> BuildResultsWorkbook(const Results& results, QString* why)
{
    Workbook book;
    book.addSheet(QStringLiteral("Results"));
    const char* const header[] = {"Place", "Bib",  "First Name",   "Last Name", "Gender",          "Age",
                                  "Category", "Category Place", "Time", "Status", "Team", "Gender Place",
                                  "Age Group", "Age Group Place"};
    for (int c = 0; c < static_cast<int>(std::size(header)); ++c) {
        book.header(c, QString::fromLatin1(header[c]));
        book.columnWidth(c, c == 2 || c == 3 || c == 10 ? 18 : 10);
    }
    auto place = [&book](int row, int column, int n) {
        if (n > 0)
            book.number(row, column, n);
    };
    int row = 0;
    for (const ResultLine& line : results.lines) {
        if (!IsFinalResult(line))
            continue;
        ++row;
        const Entrant none;
        const Entrant& e = line.entrant ? *line.entrant : none;
        place(row, 0, line.place);
        book.number(row, 1, line.bib);
        book.text(row, 2, e.firstName);
        book.text(row, 3, e.lastName);
        book.text(row, 4, e.gender);
        if (line.age)
            book.number(row, 5, *line.age);
        book.text(row, 6, e.category);
        place(row, 7, line.categoryPlace);
        if (line.status == ResultStatus::Placed)
            book.duration(row, 8, line.elapsed);
        book.text(row, 9, QString::fromLatin1(ResultStatusWord(line.status)));
        book.text(row, 10, e.team);
        place(row, 11, line.genderPlace);
        book.text(row, 12, line.ageGroupPlace > 0 ? line.ageGroup : QString());
        place(row, 13, line.ageGroupPlace);
    }
    return book.bytes(why);
}
