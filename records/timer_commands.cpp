#include "records/timer_commands.h"

namespace {

constexpr std::int64_t GetMemoryPauseUs = 100000;

} // namespace

bool GetMemory(TimerProtocol& p)
{
    if (!p.unit.reachable())
        return false;
    p.timer.setPolling(false);
    p.store.ClearRecords();
    // The table is empty anyway: put the rows back in record order, so the new
    // download lists as it arrives rather than in the last sort's order.
    p.store.ResetSequenceNumbers();
    WaitMoreThan(p.clock, GetMemoryPauseUs);
    p.store.RecordCount = 0;
    p.display.DrawColumnHeadings();
    p.unit.sendCommand(GetMemoryCommand);
    p.timer.setPolling(true);
    return true;
}
