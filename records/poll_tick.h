#pragma once

#include "records/timer_commands.h"

#include <cstdint>

// Where a tick stands when it hands the user-interface thread back.
enum class TickProgress {
    Finished,         // the tick has ended
    WaitingForReport, // resume when a report is queued or at the unit's wait deadline
    Yielding,         // resume once the event loop has run
};

// One tick of the poll timer: passes of read and scan until a pass brings no
// byte, then one refresh if anything was filed. The tick stops wherever a
// read would wait, so the window keeps handling events, and it also stops
// between passes after a slice of continuous work. It scans the ring before
// it stops for a report too: at every stop the table holds every whole frame
// received and nothing of a part-frame, so a handler that runs then sees
// what it would see between two ticks, and the list has the newest record.
struct PollTick {
    enum class Stage { Idle, Reading, BetweenPasses };
    Stage stage = Stage::Idle;
    std::int64_t sliceStartUs = 0;

    bool inProgress() const { return stage != Stage::Idle; }
};

// Work the tick does in one go before it lets the event loop run.
constexpr std::int64_t PollSliceUs = 15000;

TickProgress StartPollTick(TimerProtocol& protocol, PollTick& tick);
TickProgress ResumePollTick(TimerProtocol& protocol, PollTick& tick);
// Ends the tick where it stands, touching neither the unit nor the view.
void AbandonPollTick(TimerProtocol& protocol, PollTick& tick);
