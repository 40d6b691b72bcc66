#pragma once

#include <QDateTime>
#include <QString>

// The date and the time of day as the export's and the print's header lines
// give them, and as the operator line tells the time.
inline QString StampDate(const QDateTime& at) { return at.toString(QStringLiteral("MM-dd-yyyy")); }
inline QString StampTime(const QDateTime& at) { return at.toString(QStringLiteral("HH:mm:ss")); }
// A moment the operator reads in a list of moments (the kept lists): the
// locale's short date and the time to the second, on the 24-hour clock the
// rest of the program speaks, so downloads a minute apart are told apart.
QString StampMoment(const QDateTime& at);
