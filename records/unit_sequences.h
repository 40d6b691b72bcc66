#pragma once

#include "records/poll_tick.h"
#include "records/timer_commands.h"

#include <cstdint>
#include <functional>

// The start-up and "Get Memory", step by step: the start-up read, its pause
// and command 141; the table emptied, the pause and command 151; and the
// presses of "Get Memory" that come during them. Every pause is a later step,
// so none holds the window.
class UnitSequences {
public:
    static constexpr std::int64_t StartupWaitUs = 500000;
    static constexpr std::int64_t GetMemoryPauseUs = 100000;

    // What became of a press of "Get Memory".
    enum class Press {
        Pausing,        // the table is empty; the unit is asked after the pause
        AfterStartUp,   // the unit is being started: it is asked once it has had command 141
        AlreadyOnItsWay, // pressed again during the pause: that download is coming
        NoUnit,         // no unit to ask: the records are kept
    };

    UnitSequences(TimerProtocol& protocol, PollTick& poll, LaterSteps& later)
        : protocol_(protocol), poll_(poll), later_(later)
    {
    }

    // Told when command 151 has gone to the unit.
    void setAskedListener(std::function<void()> asked) { asked_ = std::move(asked); }
    // Told when the table has been emptied: after the start-up read, and at
    // a press of "Get Memory" that asks the unit.
    void setEmptiedListener(std::function<void()> emptied) { emptied_ = std::move(emptied); }

    // The start-up after the link was opened: the read, its pause, the command.
    void startUp();
    Press GetMemory();
    // The program is ending, or the poll was stopped: nothing waiting is sent.
    void stop();
    // The start-up command has been sent (or the sequences were stopped).
    bool started() const { return stage_ == Stage::Idle || stage_ == Stage::Pausing; }
    // A press of "Get Memory" is still on its way to the unit.
    bool askingForMemory() const { return stage_ == Stage::Pausing || pressedDuringStartUp_; }

private:
    void startupReadDone();
    void ask();

    enum class Stage { Idle, StartupRead, StartupPause, Pausing };

    TimerProtocol& protocol_;
    PollTick& poll_;
    LaterSteps& later_;
    std::function<void()> asked_;
    std::function<void()> emptied_;
    Stage stage_ = Stage::Idle;
    bool pressedDuringStartUp_ = false;
};
