#pragma once

#include <QDateTime>
#include <QString>

// The date and the time of day as the export's and the print's header lines
// give them, and as the operator line tells the time.
inline QString StampDate(const QDateTime& at) { return at.toString(QStringLiteral("MM-dd-yyyy")); }
inline QString StampTime(const QDateTime& at) { return at.toString(QStringLiteral("HH:mm:ss")); }
