#include "app/tick_scheduler.h"

#include <algorithm>
#include <utility>

EventLoopTickScheduler::EventLoopTickScheduler(Clock& clock, QObject* parent) : QObject(parent), clock_(clock)
{
    for (QTimer* t : {&deadline_, &nextTurn_, &batch_}) {
        t->setSingleShot(true);
        connect(t, &QTimer::timeout, this, &EventLoopTickScheduler::resume);
    }
    deadline_.setTimerType(Qt::PreciseTimer);
    later_.setSingleShot(true);
    later_.setTimerType(Qt::PreciseTimer);
    connect(&later_, &QTimer::timeout, this, &EventLoopTickScheduler::runStep);
    nextTurn_.setInterval(0);
    sinceResume_.start();
}

namespace {

// Whole milliseconds until `us`, rounded up, within what a timer takes.
int MsUntil(Clock& clock, std::int64_t us)
{
    const std::int64_t leftUs = std::max<std::int64_t>(us - clock.nowUs(), 0);
    return static_cast<int>(std::min<std::int64_t>((leftUs + 999) / 1000, 60000));
}

} // namespace

void EventLoopTickScheduler::resumeAt(std::int64_t us)
{
    // The deadline moves on with every report; a timer set for an earlier
    // one is left to fire, which costs less than setting it every time.
    if (deadline_.isActive() && deadlineUs_ <= us)
        return;
    deadlineUs_ = us;
    // A tick that wakes early only waits again.
    deadline_.start(MsUntil(clock_, us));
}

void EventLoopTickScheduler::resumeSoon() { nextTurn_.start(); }

void EventLoopTickScheduler::cancel()
{
    deadline_.stop();
    nextTurn_.stop();
    batch_.stop();
    gathering_ = false;
    later_.stop();
    step_ = nullptr;
}

void EventLoopTickScheduler::callAfter(std::int64_t us, std::function<void()> step)
{
    laterUs_ = us;
    step_ = std::move(step);
    later_.start(MsUntil(clock_, us + 1));
}

void EventLoopTickScheduler::runStep()
{
    if (clock_.nowUs() <= laterUs_) {
        later_.start(MsUntil(clock_, laterUs_ + 1));
        return;
    }
    // Taken out first: the step may ask for the next one.
    if (auto step = std::exchange(step_, nullptr))
        step();
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
