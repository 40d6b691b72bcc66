#include "report_queue.h"

void ReportQueue::push(Report report, bool empty)
{
    {
        std::lock_guard lock(mutex_);
        if (lastIsEmpty_ && !reports_.empty())
            reports_.pop_back();
        lastIsEmpty_ = empty;
        if (reports_.size() >= capacity_) {
            // Only after a minute or more without a single read.
            reports_.pop_front();
            ++dropped_;
        }
        reports_.push_back(std::move(report));
    }
    ready_.notify_one();
}

bool ReportQueue::popUntil(Report& report, std::chrono::steady_clock::time_point deadline)
{
    std::unique_lock lock(mutex_);
    if (!ready_.wait_until(lock, deadline, [this] { return !reports_.empty(); }))
        return false;
    report = std::move(reports_.front());
    reports_.pop_front();
    if (reports_.empty())
        lastIsEmpty_ = false;
    return true;
}

std::size_t ReportQueue::dropped() const
{
    std::lock_guard lock(mutex_);
    return dropped_;
}
