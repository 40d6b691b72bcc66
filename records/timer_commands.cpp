#include "records/timer_commands.h"

bool EmptyTableForMemory(TimerProtocol& p)
{
    if (p.unit.reach() != UnitReach::Connected)
        return false;
    p.timer.setPolling(false);
    // The count at 0 now rather than after the pause: the window answers
    // during it, and nothing there may count records that are gone. The rows
    // go back in record order, so the new download lists as it arrives
    // rather than in the last sort's order.
    p.records.empty(true);
    // A frame cut off in the last download must not be completed by this one.
    p.ring.clear();
    return true;
}

bool AskForMemory(TimerProtocol& p)
{
    p.display.DrawColumnHeadings();
    const bool sent = p.unit.sendCommand(GetMemoryCommand);
    p.timer.setPolling(true);
    return sent;
}
