#include "tick_scheduler.h"

#include <algorithm>

EventLoopTickScheduler::EventLoopTickScheduler(Clock& clock, QObject* parent) : QObject(parent), clock_(clock)
{
    deadline_.setSingleShot(true);
    deadline_.setTimerType(Qt::PreciseTimer);
    nextTurn_.setSingleShot(true);
    nextTurn_.setInterval(0);
    connect(&deadline_, &QTimer::timeout, this, &EventLoopTickScheduler::resume);
    connect(&nextTurn_, &QTimer::timeout, this, &EventLoopTickScheduler::resume);
}

void EventLoopTickScheduler::resumeAt(std::int64_t us)
{
    const std::int64_t leftUs = std::max<std::int64_t>(us - clock_.nowUs(), 0);
    // Whole milliseconds, rounded up: a tick that wakes early only waits again.
    deadline_.start(static_cast<int>(std::min<std::int64_t>((leftUs + 999) / 1000, 60000)));
}

void EventLoopTickScheduler::resumeSoon() { nextTurn_.start(); }

void EventLoopTickScheduler::cancel()
{
    deadline_.stop();
    nextTurn_.stop();
}

void EventLoopTickScheduler::reportQueued()
{
    // One queued call at a time, however fast the reports come.
    if (!reportPosted_.exchange(true))
        QMetaObject::invokeMethod(this, [this] {
            reportPosted_ = false;
            resume();
        }, Qt::QueuedConnection);
}

void EventLoopTickScheduler::resume()
{
    if (resume_)
        resume_();
}
