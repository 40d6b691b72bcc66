#include "app/tick_scheduler.h"

#include <algorithm>

EventLoopTickScheduler::EventLoopTickScheduler(Clock& clock, QObject* parent) : QObject(parent), clock_(clock)
{
    for (QTimer* t : {&deadline_, &nextTurn_, &batch_}) {
        t->setSingleShot(true);
        connect(t, &QTimer::timeout, this, &EventLoopTickScheduler::resume);
    }
    deadline_.setTimerType(Qt::PreciseTimer);
    nextTurn_.setInterval(0);
    sinceResume_.start();
}

void EventLoopTickScheduler::resumeAt(std::int64_t us)
{
    // The deadline moves on with every report; a timer set for an earlier
    // one is left to fire, which costs less than setting it every time.
    if (deadline_.isActive() && deadlineUs_ <= us)
        return;
    deadlineUs_ = us;
    const std::int64_t leftUs = std::max<std::int64_t>(us - clock_.nowUs(), 0);
    // Whole milliseconds, rounded up: a tick that wakes early only waits again.
    deadline_.start(static_cast<int>(std::min<std::int64_t>((leftUs + 999) / 1000, 60000)));
}

void EventLoopTickScheduler::resumeSoon() { nextTurn_.start(); }

void EventLoopTickScheduler::cancel()
{
    deadline_.stop();
    nextTurn_.stop();
    batch_.stop();
    gathering_ = false;
}

void EventLoopTickScheduler::reportQueued(bool urgent)
{
    if (urgent)
        urgent_ = true;
    else if (gathering_)
        return;
    // One queued call at a time, however fast the reports come.
    if (!newsPosted_.exchange(true))
        QMetaObject::invokeMethod(this, &EventLoopTickScheduler::takeNews, Qt::QueuedConnection);
}

void EventLoopTickScheduler::takeNews()
{
    newsPosted_ = false;
    const qint64 since = sinceResume_.elapsed();
    if (urgent_.exchange(false) || since >= DataBatchMs) {
        resume();
        return;
    }
    if (!batch_.isActive()) {
        gathering_ = true;
        batch_.start(static_cast<int>(DataBatchMs - since));
    }
}

void EventLoopTickScheduler::resume()
{
    batch_.stop();
    gathering_ = false;
    sinceResume_.restart();
    if (resume_)
        resume_();
}
