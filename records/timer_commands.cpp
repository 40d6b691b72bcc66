#include "timer_commands.h"

#include "frame_scanner.h"

namespace {

constexpr std::int64_t GetMemoryPauseUs = 100000;

} // namespace

void PollTimerUnit(TimerProtocol& p)
{
    p.store.FiledFrameCount = 0;
    do {
        p.ring.ReceivedByteCount = 0;
        p.unit.ReadTimerReport();
        ScanReceiveRing(p.ring, p.store, p.scroll);
    } while (p.ring.ReceivedByteCount != 0);
    if (p.store.FiledFrameCount > 0)
        p.display.RefreshResults(p.store.RecordCount);
}

void GetMemory(TimerProtocol& p)
{
    p.timer.setPolling(false);
    p.store.ClearRecords();
    // The table is empty anyway: put the rows back in record order, so the new
    // download lists as it arrives rather than in the last sort's order.
    p.store.ResetSequenceNumbers();
    WaitMoreThan(p.clock, GetMemoryPauseUs);
    p.store.RecordCount = 0;
    p.display.DrawColumnHeadings();
    p.unit.WriteTimerReport(GetMemoryCommand);
    p.timer.setPolling(true);
}
