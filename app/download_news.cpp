#include "app/download_news.h"

QString DownloadNews::asked(std::int64_t nowUs)
{
    watching_ = true;
    askedAtUs_ = nowUs;
    last_ = QStringLiteral("Asking the unit for its records\u2026");
    return last_;
}

std::optional<QString> DownloadNews::say(const QString& text)
{
    if (text == last_)
        return std::nullopt;
    last_ = text;
    return text;
}

QString DownloadNews::endedShort(const DownloadCount& count, const QString& why) const
{
    return QStringLiteral("Download stopped short%1: %2 of %3 records came; missing %4.")
        .arg(why)
        .arg(count.filed)
        .arg(count.expected)
        .arg(QString::fromStdString(NumberRanges(count.missing)));
}

std::optional<QString> DownloadNews::polled(const RecordStore& store, bool streamEnded, bool linkUp,
                                            std::int64_t nowUs, const QString& timeOfDay)
{
    if (!watching_)
        return std::nullopt;
    const DownloadCount count = CountDownload(store);
    if (count.filed == 0) {
        if (!streamEnded || nowUs - askedAtUs_ < FirstRecordWaitUs)
            return std::nullopt;
        watching_ = false;
        return say(linkUp ? QStringLiteral("The unit sent no records.")
                          : QStringLiteral("No timing unit was found: nothing was downloaded."));
    }
    if (!streamEnded)
        return say(QStringLiteral("Downloading: %1 of %2 records").arg(count.filed).arg(count.expected));
    watching_ = false;
    if (!count.missing.empty())
        return say(endedShort(count, QString()));
    return say(complete(count, timeOfDay));
}

QString DownloadNews::complete(const DownloadCount& count, const QString& timeOfDay)
{
    return QStringLiteral("Download complete: %1 records, at %2.").arg(count.filed).arg(timeOfDay);
}

std::optional<QString> DownloadNews::linkLost(const RecordStore& store, const QString& timeOfDay)
{
    if (!watching_)
        return std::nullopt;
    watching_ = false;
    const DownloadCount count = CountDownload(store);
    if (count.filed == 0)
        return say(QStringLiteral("The unit went quiet or was unplugged before any record came."));
    // Every record had come: the unit going quiet after them ends the download.
    if (count.missing.empty())
        return say(complete(count, timeOfDay));
    return say(endedShort(count, QStringLiteral(" (the unit went quiet or was unplugged)")));
}

QString DownloadNews::listCaveat(const RecordStore& store)
{
    const DownloadCount count = CountDownload(store);
    if (!count.missing.empty())
        return QStringLiteral(" Records %1 never came; their lines are blank.")
            .arg(QString::fromStdString(NumberRanges(count.missing)));
    if (store.ReportedRecordCount < store.RecordCount)
        return QStringLiteral(" The unit's last count was %1; all %2 records are listed.")
            .arg(store.ReportedRecordCount)
            .arg(store.RecordCount);
    return {};
}
