#pragma once

#include "records/clock.h"
#include "records/receive_ring.h"
#include "records/records.h"
#include "records/scroll_range.h"
#include "records/timer_ports.h"

#include <cstdint>

constexpr std::uint8_t StartupCommand = 141;
constexpr std::uint8_t GetMemoryCommand = 151;

struct TimerProtocol {
    ReceiveRing& ring;
    Records& records;
    ScrollRange& scroll;
    TimerUnitPort& unit;
    ResultsDisplay& display;
    PollTimerSwitch& timer;
    Clock& clock;
};

// The two halves of "Get Memory" (UnitSequences::GetMemory pauses between them).
// The first: the poll stops and the table is emptied. False, with the table
// as it was, when no unit can be found to ask: the records already
// downloaded are not thrown away for nothing.
bool EmptyTableForMemory(TimerProtocol& protocol);
// The second: the unit is asked for its memory and the poll starts again.
// False when the command could not be written.
bool AskForMemory(TimerProtocol& protocol);
