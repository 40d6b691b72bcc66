#include "results/result_files.h"

#include "export/export_csv.h"

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
