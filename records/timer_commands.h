#pragma once

#include "clock.h"
#include "receive_ring.h"
#include "record_table.h"
#include "scroll_range.h"

#include <cstdint>

constexpr std::uint8_t StartupCommand = 141;
constexpr std::uint8_t GetMemoryCommand = 151;

// The unit as the poll and the commands reach it.
class TimerUnitPort {
public:
    virtual ~TimerUnitPort() = default;
    virtual void ReadTimerReport() = 0;
    virtual void WriteTimerReport(std::uint8_t command) = 0;
};

// The results list as the poll and "Get Memory" redraw it.
class ResultsDisplay {
public:
    virtual ~ResultsDisplay() = default;
    virtual void DrawColumnHeadings() = 0;
    virtual void RefreshResults(int limit) = 0;
};

// The poll timer, switched off while "Get Memory" works.
class PollTimerSwitch {
public:
    virtual ~PollTimerSwitch() = default;
    virtual void setPolling(bool on) = 0;
};

struct TimerProtocol {
    ReceiveRing& ring;
    RecordStore& store;
    ScrollRange& scroll;
    TimerUnitPort& unit;
    ResultsDisplay& display;
    PollTimerSwitch& timer;
    Clock& clock;
};

// One tick: passes of read and scan until a pass brings no byte, then one
// refresh if anything was filed.
void PollTimerUnit(TimerProtocol& protocol);

// Empties the table and asks the unit for its memory.
void GetMemory(TimerProtocol& protocol);
