#include "common/output_stamp.h"

#include <QLocale>

QString StampMoment(const QDateTime& at)
{
    return QLocale().toString(at.date(), QLocale::ShortFormat) + QLatin1Char(' ') + StampTime(at);
}
