#pragma once

#include "records/download_count.h"

#include <QString>

#include <cstdint>
#include <optional>

// What the operator line says of a download after "Get Memory": that the
// unit was asked, how many records have come of how many it reports, and
// how it ended. It follows the poll; the application shows its words.
class DownloadNews {
public:
    // How long a download may bring nothing before it is told as empty.
    static constexpr std::int64_t FirstRecordWaitUs = 3'000'000;

    QString asked(std::int64_t nowUs);
    // After each step of the poll; `streamEnded` when the tick found nothing
    // more to read. Nothing when there is nothing new to say.
    std::optional<QString> polled(const RecordTableState& store, bool streamEnded, bool linkUp, std::int64_t nowUs,
                                  const QString& timeOfDay);
    // The unit went quiet or was unplugged while a download was watched.
    std::optional<QString> linkLost(const RecordTableState& store, const QString& timeOfDay);
    bool watching() const { return watching_; }

private:
    std::optional<QString> say(const QString& text);

    bool watching_ = false;
    std::int64_t askedAtUs_ = 0;
    QString last_;
};
