#include "device/report_queue.h"

void ReportQueue::setReplaceable(ReportFilter filter)
{
    std::lock_guard lock(mutex_);
    replaceable_ = std::move(filter);
}

void ReportQueue::setListener(ReportListener listener)
{
    std::lock_guard lock(listenerMutex_);
    listener_ = std::move(listener);
}

void ReportQueue::notify(QueueEvent news)
{
    std::lock_guard lock(listenerMutex_);
    if (listener_)
        listener_(news);
}

void ReportQueue::push(Report report)
{
    bool replaceable = false;
    {
        std::lock_guard lock(mutex_);
        if (lastReplaceable_ && !reports_.empty())
            reports_.pop_back();
        lastReplaceable_ = replaceable_ && replaceable_(report.data(), report.size());
        if (reports_.size() >= capacity_) {
            // Only after a minute or more without a single read.
            reports_.pop_front();
            ++dropped_;
        }
        replaceable = lastReplaceable_;
        reports_.push_back(std::move(report));
    }
    // The listener hears of it before a waiting reader can take it.
    notify(replaceable ? QueueEvent::ReplaceableReport : QueueEvent::Report);
    ready_.notify_one();
}

void ReportQueue::markGone()
{
    {
        std::lock_guard lock(mutex_);
        gone_ = true;
    }
    notify(QueueEvent::Gone);
    ready_.notify_all();
}

bool ReportQueue::gone() const
{
    std::lock_guard lock(mutex_);
    return gone_;
}

void ReportQueue::restart()
{
    std::lock_guard lock(mutex_);
    reports_.clear();
    lastReplaceable_ = false;
    gone_ = false;
}

ReportQueue::Pop ReportQueue::takeFront(Report& report)
{
    if (reports_.empty())
        return gone_ ? Pop::Gone : Pop::Empty;
    report = std::move(reports_.front());
    reports_.pop_front();
    if (reports_.empty())
        lastReplaceable_ = false;
    return Pop::Report;
}

ReportQueue::Pop ReportQueue::tryPop(Report& report)
{
    std::lock_guard lock(mutex_);
    return takeFront(report);
}

ReportQueue::Pop ReportQueue::popUntil(Report& report, std::chrono::steady_clock::time_point deadline)
{
    std::unique_lock lock(mutex_);
    ready_.wait_until(lock, deadline, [this] { return !reports_.empty() || gone_; });
    return takeFront(report);
}

bool ReportQueue::endsWithReplaceable() const
{
    std::lock_guard lock(mutex_);
    return !reports_.empty() && lastReplaceable_;
}

std::size_t ReportQueue::dropped() const
{
    std::lock_guard lock(mutex_);
    return dropped_;
}
