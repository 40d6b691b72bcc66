#pragma once

#include "records/clock.h"
#include "records/timer_ports.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <atomic>
#include <cstdint>
#include <functional>

// How the poll that has stopped gets going again, and how a command's
// later step runs.
class TickScheduler : public PollWakeups, public LaterSteps {
public:
    // What a wake-up calls.
    virtual void setResume(std::function<void()> resume) = 0;
    // Cancels the tick's wake-ups and the later step.
    virtual void cancel() = 0;
    // A report has been queued. `urgent`: one without data, which after data
    // means the unit's stream has paused, or the unit has gone. Any thread
    // may call it.
    virtual void reportQueued(bool urgent) = 0;
};

// The user-interface thread's event loop: timers for the wait deadline and
// the next turn, and a queued call from the device's thread for a report.
//
// Data reports that stream in are taken in batches: the tick resumes for
// them at most every DataBatchMs, so a download costs a few turns of the
// event loop a second rather than one per report, while the list still
// grows several times a second. An urgent report is taken at once.
class EventLoopTickScheduler : public QObject, public TickScheduler {
    Q_OBJECT
public:
    static constexpr int DataBatchMs = 200;

    explicit EventLoopTickScheduler(Clock& clock, QObject* parent = nullptr);

    void setResume(std::function<void()> resume) override { resume_ = std::move(resume); }
    void resumeAt(std::int64_t us) override;
    void resumeSoon() override;
    void cancel() override;
    void reportQueued(bool urgent) override;
    void callAfter(std::int64_t us, std::function<void()> step) override;

private:
    void takeNews();
    void resume();
    void runStep();

    Clock& clock_;
    std::function<void()> resume_;
    QTimer deadline_;
    std::int64_t deadlineUs_ = 0;
    QTimer nextTurn_;
    QTimer batch_;
    QElapsedTimer sinceResume_;
    QTimer later_;
    std::int64_t laterUs_ = 0;
    std::function<void()> step_;
    std::atomic<bool> newsPosted_{false};
    std::atomic<bool> urgent_{false};
    // A batch is being gathered: data reports need not say so again.
    std::atomic<bool> gathering_{false};
};
