#pragma once

#include <cstdint>
#include <functional>

// What the poll and the commands reach outside the records: the unit, the
// results list, Timer1, the event loop's wake-ups and later steps. The
// device link, the results view and the application implement them.

// Where one call of ReadTimerReport stands when it hands the thread back.
enum class ReportReadProgress {
    Finished,         // the call has ended, its caption is shown
    WaitingForReport, // the next report is not there yet and its wait has not run out
};

// How the unit can be reached when a command is to go to it.
enum class UnitReach {
    Connected,
    Searching, // the search for it is still running on its thread: asked again shortly, it may be there
    NotFound,  // the last search ended without it, or the program is ending
};

// The unit as the poll and the commands reach it. A read call never waits on
// the thread: it takes the reports already queued and stops where it would
// have to wait, to be continued when a report comes or its wait runs out.
class TimerUnitPort {
public:
    virtual ~TimerUnitPort() = default;
    virtual ReportReadProgress startReportRead() = 0;
    virtual ReportReadProgress continueReportRead() = 0;
    // When the wait for the awaited report runs out, on the protocol's clock.
    virtual std::int64_t reportWaitDeadlineUs() const = 0;
    // Forgets a read call in progress without touching the unit.
    virtual void abandonReportRead() = 0;
    // False when it could not be written: no unit, or not yet found.
    virtual bool sendCommand(std::uint8_t command) = 0;
    // Connected, or found and opened now; else whether a search is still out.
    virtual UnitReach reach() = 0;
};

// The results list as the poll and "Get Memory" redraw it.
class ResultsDisplay {
public:
    virtual ~ResultsDisplay() = default;
    virtual void DrawColumnHeadings() = 0;
    virtual void RefreshResults(int limit) = 0;
    // Records were filed: the lines the list shows are drawn again from the
    // table as it is now, so a download is seen record by record.
    virtual void showFiledRecords() = 0;
};

// How the poll, stopped where it would wait, is woken to go on: the event
// loop in the program. Waking sooner than asked is harmless: the poll only
// waits on.
class PollWakeups {
public:
    virtual ~PollWakeups() = default;
    // At that time on the clock, or sooner when a report is queued.
    virtual void resumeAt(std::int64_t us) = 0;
    // Once the event loop has handled what is waiting.
    virtual void resumeSoon() = 0;
};

// The later step of a command that pauses, run without holding the window:
// the event loop in the program.
class LaterSteps {
public:
    virtual ~LaterSteps() = default;
    // Runs `step` once more than `us` has passed on the clock. One at a time;
    // a new one replaces the one waiting.
    virtual void callAfter(std::int64_t us, std::function<void()> step) = 0;
};

// The poll timer, switched off while "Get Memory" works.
class PollTimerSwitch {
public:
    virtual ~PollTimerSwitch() = default;
    virtual void setPolling(bool on) = 0;
};
