#pragma once

#include "clock.h"

#include <QObject>
#include <QTimer>

#include <atomic>
#include <cstdint>
#include <functional>

// How a poll tick that has stopped gets going again.
class TickScheduler {
public:
    virtual ~TickScheduler() = default;
    virtual void setResume(std::function<void()> resume) = 0;
    // Resume at that time on the clock, or sooner when a report is queued.
    virtual void resumeAt(std::int64_t us) = 0;
    // Resume once the event loop has handled what is waiting.
    virtual void resumeSoon() = 0;
    virtual void cancel() = 0;
    // A report has been queued. Any thread may call it.
    virtual void reportQueued() = 0;
};

// The user-interface thread's event loop: timers for the wait deadline and
// the next turn, and a queued call from the device's thread for a report.
class EventLoopTickScheduler : public QObject, public TickScheduler {
    Q_OBJECT
public:
    explicit EventLoopTickScheduler(Clock& clock, QObject* parent = nullptr);

    void setResume(std::function<void()> resume) override { resume_ = std::move(resume); }
    void resumeAt(std::int64_t us) override;
    void resumeSoon() override;
    void cancel() override;
    void reportQueued() override;

private:
    void resume();

    Clock& clock_;
    std::function<void()> resume_;
    QTimer deadline_;
    QTimer nextTurn_;
    std::atomic<bool> reportPosted_{false};
};
