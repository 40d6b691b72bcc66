#pragma once

#include "records/timer_commands.h"

#include <cstdint>
#include <functional>

// Work a tick does in one go before it lets the event loop run.
constexpr std::int64_t PollSliceUs = 15000;

// The poll of the unit, all of it: when a tick starts, its passes of read
// and scan, where it stops to wait for a report or to let the event loop
// run, and when it is woken to go on. The reads and their 500 ms deadlines
// are the unit port's; this decides when to start, continue or drop them.
//
// A tick runs passes until one brings no byte, then refreshes the list once
// if anything was filed. It stops wherever a read would wait, and between
// passes after a slice of continuous work, so the window keeps handling
// events. It scans the ring before it stops for a report too: at every stop
// the table holds every whole frame received and nothing of a part-frame,
// so a handler that runs then sees what it would see between two ticks, and
// the list has the newest record.
class PollTick {
public:
    PollTick(TimerProtocol& protocol, PollWakeups& wakeups) : p_(protocol), wakeups_(wakeups) {}

    // Timer1: a tick starts, or, while one goes on, the next starts as soon
    // as it ends: one tick at a time.
    void timerFired();
    // The start-up read: one read call, run as a tick's reads are; `done`
    // follows when it has ended.
    void readOnce(std::function<void()> done);
    // The wake-up asked for: the poll goes on where it stopped.
    void resume();
    // Ends the read or tick going on where it stands, touching neither the
    // unit nor the view; no tick follows.
    void stop();
    // Timer1 was switched off: a tick it fired meanwhile does not follow.
    void forgetOverdue() { overdue_ = false; }

    bool tickInProgress() const { return stage_ == Stage::Reading || stage_ == Stage::BetweenPasses; }
    // Told wherever a tick stops; `ended` when it has run to its end.
    void setStopListener(std::function<void(bool ended)> listener) { stopped_ = std::move(listener); }

private:
    enum class Stage { Idle, ReadOnceDue, ReadingOnce, Reading, BetweenPasses };

    void startTick();
    // Goes on from a read call that has just returned, pass after pass.
    void runPasses(ReportReadProgress read);
    ReportReadProgress beginPass();
    void continueReadOnce(ReportReadProgress read);
    void tickStopped(bool ended);

    TimerProtocol& p_;
    PollWakeups& wakeups_;
    Stage stage_ = Stage::Idle;
    std::int64_t sliceStartUs_ = 0;
    // Timer1 fired while a tick was going on.
    bool overdue_ = false;
    std::function<void()> readOnceDone_;
    std::function<void(bool)> stopped_;
};
