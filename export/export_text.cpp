#include "export/export_text.h"

#include "presentation/result_columns.h"

#include <array>

namespace {

constexpr const char* Crlf = "\r\n";
constexpr const char* SpaceLine = "         ";
// The file's own columns; the view and the print place the texts elsewhere.
constexpr std::array<int, ResultColumnCount> Columns = {1, 9, 23, 38, 53, 68, 83, 98};

void EndLine(std::string& out, std::size_t& lineStart)
{
    out += Crlf;
    lineStart = out.size();
}

void SpaceLines(std::string& out, std::size_t& lineStart, int count)
{
    for (int i = 0; i < count; ++i) {
        out += SpaceLine;
        EndLine(out, lineStart);
    }
}

void ColumnLine(std::string& out, std::size_t& lineStart, const ColumnTexts& texts)
{
    out += texts[0];
    for (std::size_t i = 1; i < texts.size(); ++i)
        PlaceAtColumn(out, lineStart, texts[i], Columns[i]);
    EndLine(out, lineStart);
}

} // namespace

void PlaceAtColumn(std::string& out, std::size_t& lineStart, const std::string& text, int column)
{
    const auto next = static_cast<int>(out.size() - lineStart) + 1;
    if (next < column) {
        out.append(static_cast<std::size_t>(column - next), ' ');
    } else if (next > column) {
        EndLine(out, lineStart);
        out.append(static_cast<std::size_t>(column - 1), ' ');
    }
    out += text;
}

std::string BuildExportText(const ListedRecords& records, const std::string& fileName, const std::string& date,
                            const std::string& time)
{
    std::string out;
    std::size_t lineStart = 0;
    SpaceLines(out, lineStart, 1);
    out += fileName + "    " + StampLine(date, time, records.unit);
    EndLine(out, lineStart);
    SpaceLines(out, lineStart, 3);
    ColumnLine(out, lineStart, ColumnTitles);
    SpaceLines(out, lineStart, 2);
    for (int n = 1; n <= records.count; ++n)
        ColumnLine(out, lineStart, ColumnsOf(records.formatRow(n)));
    return out;
}
