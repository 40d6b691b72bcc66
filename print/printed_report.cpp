#include "print/printed_report.h"

#include "presentation/result_columns.h"
#include "print/report_page.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPagedPaintDevice>

#include <array>
#include <memory>
#include <vector>

const double PrintColumnsMm[8] = {20, 37, 69, 101, 133, 165, 197, 229};

namespace {

std::vector<std::pair<double, QString>> AtColumns(const ColumnTexts& texts)
{
    std::vector<std::pair<double, QString>> placed;
    for (std::size_t i = 0; i < texts.size(); ++i)
        placed.emplace_back(PrintColumnsMm[i], QString::fromStdString(texts[i]));
    return placed;
}

} // namespace

bool PrintResults(QPagedPaintDevice& printer, const ListedRecords& records, const QString& date,
                  const QString& time, PrintFailure* failure)
{
    printer.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    auto fail = [failure](PrintFailure why) {
        if (failure)
            *failure = why;
        return false;
    };
    if (!painter.begin(&printer))
        return fail(PrintFailure::DocumentNotStarted);
    QFont font; // the toolkit's default face
    font.setPointSizeF(10);
    font.setBold(false);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);

    ReportPage page(printer, painter);
    const QString stamp = QString::fromStdString(StampLine(date.toStdString(), time.toStdString(), records.unit));
    bool ok = page.blankLines(3) && page.line({{PrintColumnsMm[0], stamp}})
        && page.blankLines(3) && page.line(AtColumns(ColumnTitles)) && page.blankLines(3);

    for (int n = 1; ok && n <= records.count; ++n)
        ok = page.line(AtColumns(ColumnsOf(records.formatRow(n))));
    if (!painter.end() || !ok)
        return fail(PrintFailure::ErrorWhilePrinting);
    return true;
}

ListedRecords FormattedNow(const ListedRecords& records)
{
    auto lines = std::make_shared<std::vector<RecordLine>>();
    for (int n = 1; n <= records.count; ++n)
        lines->push_back(records.formatRow(n));
    ListedRecords now{records.unit, records.count, {}, {}};
    now.formatRow = [lines](int row) { return (*lines)[static_cast<std::size_t>(row - 1)]; };
    return now;
}
