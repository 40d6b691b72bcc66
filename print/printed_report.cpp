#include "print/printed_report.h"

#include "presentation/result_columns.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPagedPaintDevice>

#include <array>
#include <memory>
#include <vector>

const double PrintColumnsMm[8] = {20, 37, 69, 101, 133, 165, 197, 229};

namespace {

// Lines at millimetre positions on the printable area, a new page when the
// next line would pass its bottom. Painter coordinates stay in device units:
// scaling the painter would scale the font too.
class ReportPage {
public:
    ReportPage(QPagedPaintDevice& printer, QPainter& painter) : printer_(printer), painter_(painter)
    {
        const QFontMetricsF m(painter.font(), &printer);
        lineHeight_ = m.height();
        ascent_ = m.ascent();
        const int resolution = printer.logicalDpiY();
        dotsPerMm_ = resolution / 25.4;
        bottom_ = printer.pageLayout().paintRectPixels(resolution).height();
    }

    bool blankLines(int count)
    {
        for (int i = 0; i < count; ++i)
            if (!line({}))
                return false;
        return true;
    }

    // Each text at its millimetre position on one line.
    bool line(const std::vector<std::pair<double, QString>>& texts)
    {
        if (y_ > 0 && y_ + lineHeight_ > bottom_) {
            if (!printer_.newPage())
                return false;
            y_ = 0;
        }
        for (const auto& [mm, text] : texts)
            painter_.drawText(QPointF(mm * dotsPerMm_, y_ + ascent_), text);
        y_ += lineHeight_;
        return true;
    }

private:
    QPagedPaintDevice& printer_;
    QPainter& painter_;
    double lineHeight_ = 0;
    double ascent_ = 0;
    double dotsPerMm_ = 0;
    double bottom_ = 0;
    double y_ = 0;
};

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
