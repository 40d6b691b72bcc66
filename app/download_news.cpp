#include "app/download_news.h"

#include "app/operator_line_texts.h"

QString DownloadNews::asked(std::int64_t nowUs)
{
    watching_ = true;
    askedAtUs_ = nowUs;
    last_ = OperatorLineText::AskingForRecords();
    return last_;
}

std::optional<QString> DownloadNews::say(const QString& text)
{
    if (text == last_)
        return std::nullopt;
    last_ = text;
    return text;
}

std::optional<QString> DownloadNews::polled(const RecordTableState& store, bool streamEnded, bool linkUp,
                                            std::int64_t nowUs, const QString& timeOfDay)
{
    if (!watching_)
        return std::nullopt;
    const DownloadCount count = CountDownload(store);
    if (count.filed == 0) {
        if (!streamEnded || nowUs - askedAtUs_ < FirstRecordWaitUs)
            return std::nullopt;
        watching_ = false;
        return say(linkUp ? OperatorLineText::NoRecordsSent() : OperatorLineText::NoUnitNothingDownloaded());
    }
    if (!streamEnded)
        return say(OperatorLineText::Downloading(count.filed, count.expected));
    watching_ = false;
    if (!count.missing.empty())
        return say(OperatorLineText::DownloadStoppedShort(count, false));
    return say(OperatorLineText::DownloadComplete(count.filed, timeOfDay));
}

std::optional<QString> DownloadNews::linkLost(const RecordTableState& store, const QString& timeOfDay)
{
    if (!watching_)
        return std::nullopt;
    watching_ = false;
    const DownloadCount count = CountDownload(store);
    if (count.filed == 0)
        return say(OperatorLineText::QuietBeforeAnyRecord());
    // Every record had come: the unit going quiet after them ends the download.
    if (count.missing.empty())
        return say(OperatorLineText::DownloadComplete(count.filed, timeOfDay));
    return say(OperatorLineText::DownloadStoppedShort(count, true));
}
