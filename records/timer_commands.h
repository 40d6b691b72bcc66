#pragma once

#include "records/clock.h"
#include "records/receive_ring.h"
#include "records/record_table.h"
#include "records/scroll_range.h"
#include "records/timer_ports.h"

#include <cstdint>

constexpr std::uint8_t StartupCommand = 141;
constexpr std::uint8_t GetMemoryCommand = 151;

struct TimerProtocol {
    ReceiveRing& ring;
    RecordStore& store;
    ScrollRange& scroll;
    TimerUnitPort& unit;
    ResultsDisplay& display;
    PollTimerSwitch& timer;
    Clock& clock;
};

// How long "Get Memory" pauses between emptying the table and asking.
constexpr std::int64_t GetMemoryPauseUs = 100000;

// "Get Memory" up to its pause: the poll stops and the table is emptied.
// False, with the table as it was, when no unit can be found to ask: the
// records already downloaded are not thrown away for nothing.
bool GetMemory(TimerProtocol& protocol);
// "Get Memory" after the pause, which the caller lets pass without holding
// the window: the unit is asked for its memory and the poll starts again.
void AskForMemory(TimerProtocol& protocol);
