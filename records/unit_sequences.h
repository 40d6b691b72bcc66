#pragma once

#include "records/poll_tick.h"
#include "records/timer_commands.h"

#include <cstdint>
#include <functional>

// The start-up and "Get Memory", step by step: the start-up read, its pause
// and command 141; the table emptied, the pause and command 151; and the
// presses of "Get Memory" that come during them. Every pause is a later step,
// so none holds the window. A press while the search for the unit is still
// running (the link closes whenever a silent unit lets a read run out) waits
// for that search and asks as soon as the unit is there.
class UnitSequences {
public:
    static constexpr std::int64_t StartupWaitUs = 500000;
    static constexpr std::int64_t GetMemoryPauseUs = 100000;
    // How often a press waiting for the search looks whether it has ended.
    static constexpr std::int64_t SearchLookUs = 50000;

    // What became of a press of "Get Memory".
    enum class Press {
        Pausing,        // the table is empty; the unit is asked after the pause
        AfterStartUp,   // the unit is being started: it is asked once it has had command 141
        AlreadyOnItsWay, // pressed again during the pause: that download is coming
        NoUnit,         // no unit to ask: the records are kept
        AwaitingSearch, // the search for the unit is still running: the unit is asked once it is found
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
    // Told when a press that waited (for the start-up or a search) finds no
    // unit after all, so nothing was asked.
    void setNoUnitListener(std::function<void()> noUnit) { noUnit_ = std::move(noUnit); }
    // Told when the start-up has sent its command (before a press it kept is carried out).
    void setStartedListener(std::function<void()> started) { started_ = std::move(started); }

    // The start-up after the link was opened: the read, its pause, the command.
    void startUp();
    Press GetMemory();
    // The program is ending, or the poll was stopped: nothing waiting is sent.
    void stop();
    // The start-up command has been sent (or the sequences were stopped).
    bool started() const { return stage_ != Stage::StartupRead && stage_ != Stage::StartupPause; }
    // A press of "Get Memory" is still on its way to the unit.
    bool askingForMemory() const
    {
        return stage_ == Stage::Pausing || stage_ == Stage::AwaitingSearch || stage_ == Stage::AskingAfterSearch ||
               pressedDuringStartUp_;
    }

private:
    void startupReadDone();
    Press press();
    void ask();
    void noUnit();

    // AwaitingSearch: pressed while the search ran, nothing emptied yet.
    // AskingAfterSearch: emptied, and the link went into a search in the pause.
    enum class Stage { Idle, StartupRead, StartupPause, Pausing, AwaitingSearch, AskingAfterSearch };

    TimerProtocol& protocol_;
    PollTick& poll_;
    LaterSteps& later_;
    std::function<void()> asked_;
    std::function<void()> emptied_;
    std::function<void()> noUnit_;
    std::function<void()> started_;
    Stage stage_ = Stage::Idle;
    bool pressedDuringStartUp_ = false;
};
