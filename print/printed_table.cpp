#include "print/printed_table.h"

#include "print/report_page.h"

#include <QFont>

bool PrintTable(QPagedPaintDevice& printer, const PrintedTable& table, PrintFailure* failure)
{
    printer.setPageOrientation(QPageLayout::Portrait);
    auto fail = [failure](PrintFailure why) {
        if (failure)
            *failure = why;
        return false;
    };
    QPainter painter;
    if (!painter.begin(&printer))
        return fail(PrintFailure::DocumentNotStarted);
    QFont plain;
    plain.setPointSizeF(10);
    QFont bold = plain;
    bold.setBold(true);
    painter.setFont(plain);
    painter.setPen(Qt::black);

    ReportPage page(printer, painter);
    auto cells = [&table](const QStringList& texts) {
        std::vector<std::pair<double, QString>> placed;
        for (qsizetype i = 0; i < texts.size() && i < static_cast<qsizetype>(table.columnsMm.size()); ++i)
            placed.emplace_back(table.columnsMm[static_cast<std::size_t>(i)], texts[i]);
        return placed;
    };
    auto boldLine = [&](const QString& text) {
        painter.setFont(bold);
        const bool ok = page.line({{table.columnsMm.empty() ? 0.0 : table.columnsMm.front(), text}});
        painter.setFont(plain);
        return ok;
    };
    auto top = [&] { return boldLine(table.title) && page.blankLines(1) && page.line(cells(table.headings)); };
    // A new page, with its title and headings, when fewer than `lines` fit.
    auto room = [&](int lines) { return page.room(lines) || (page.newPage() && top()); };

    bool ok = top();
    for (const PrintedTable::Section& section : table.sections) {
        ok = ok && room(3) && page.blankLines(1) && boldLine(section.heading);
        for (const QStringList& row : section.rows)
            ok = ok && room(1) && page.line(cells(row));
    }
    if (!table.footnote.isEmpty())
        ok = ok && room(2) && page.blankLines(1) && page.line({{table.columnsMm.front(), table.footnote}});
    if (!painter.end() || !ok)
        return fail(PrintFailure::ErrorWhilePrinting);
    return true;
}
