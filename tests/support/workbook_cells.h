#pragma once

#include "support/zip_entries.h"

#include <QRegularExpression>
#include <QStringList>

// The cells of the first sheet as "A2=<v>" and the shared strings, in order.
inline QStringList WorkbookCells(const QByteArray& book)
{
    const auto files = ZipEntries(book);
    const QString sheet = QString::fromUtf8(files.value(QStringLiteral("xl/worksheets/sheet1.xml")));
    const QString shared = QString::fromUtf8(files.value(QStringLiteral("xl/sharedStrings.xml")));
    QStringList strings;
    static const QRegularExpression text(QStringLiteral("<t[^>]*>([^<]*)</t>"));
    for (auto m = text.globalMatch(shared); m.hasNext();)
        strings << m.next().captured(1);
    QStringList cells;
    static const QRegularExpression cell(QStringLiteral("<c r=\"([A-Z]+[0-9]+)\"([^>]*)>(<f>[^<]*</f>)?<v>([^<]*)</v></c>"));
    for (auto m = cell.globalMatch(sheet); m.hasNext();) {
        const auto c = m.next();
        const bool isString = c.captured(2).contains(QStringLiteral("t=\"s\""));
        cells << c.captured(1) + QLatin1Char('=') + (c.captured(3).isEmpty() ? QString() : QStringLiteral("formula "))
                + (isString ? QLatin1Char('"') + strings.value(c.captured(4).toInt()) + QLatin1Char('"') : c.captured(4));
    }
    return cells;
}
