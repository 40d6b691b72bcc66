#pragma once

#include "device/hid_access.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <vector>

// Input reports handed from the thread that receives them to the one that
// reads them. It holds far more than the operating system's own queue, so
// nothing is lost while the reader is busy.
//
// A report the filter calls replaceable (the link's: one without data bytes,
// which only says the unit is alive) gives way to a newer report, which says
// it again. So a unit that reports faster than the poll reads can never bury
// a download behind a backlog of empty reports.
class ReportQueue {
public:
    using Report = std::vector<std::uint8_t>;
    static constexpr std::size_t DefaultCapacity = 65536;

    enum class Pop { Report, Empty, Gone };

    explicit ReportQueue(std::size_t capacity = DefaultCapacity) : capacity_(capacity) {}

    void setReplaceable(ReportFilter filter);
    void setListener(ReportListener listener);

    void push(Report report);
    // The source has gone; readers get Gone once the queue is drained.
    void markGone();
    bool gone() const;
    // Empty again, for a source that has come back.
    void restart();

    Pop tryPop(Report& report);
    // Waits until a report is there, the source has gone or the deadline passes.
    Pop popUntil(Report& report, std::chrono::steady_clock::time_point deadline);

    // True when the newest queued report is one a newer report would replace.
    bool endsWithReplaceable() const;
    std::size_t dropped() const;

private:
    Pop takeFront(Report& report);
    void notify(QueueEvent news);

    mutable std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<Report> reports_;
    bool lastReplaceable_ = false;
    bool gone_ = false;
    ReportFilter replaceable_;
    std::size_t capacity_;
    std::size_t dropped_ = 0;

    // Its own lock: a listener may be called while another thread clears it.
    std::mutex listenerMutex_;
    ReportListener listener_;
};
