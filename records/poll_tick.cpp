#include "records/poll_tick.h"

#include "records/frame_scanner.h"

namespace {

ReportReadProgress BeginPass(TimerProtocol& p)
{
    p.ring.ReceivedByteCount = 0;
    return p.unit.startReportRead();
}

// Goes on from a read call that has just returned, pass after pass.
TickProgress RunPasses(TimerProtocol& p, PollTick& tick, ReportReadProgress read)
{
    for (;;) {
        // After each pass, and also before the thread is handed back to wait
        // for a report: the list then shows each record as soon as it has come.
        const int filedBefore = p.store.FiledFrameCount;
        ScanReceiveRing(p.ring, p.store, p.scroll);
        if (p.store.FiledFrameCount != filedBefore)
            p.display.ShowFiledRecords();
        if (read == ReportReadProgress::WaitingForReport) {
            tick.stage = PollTick::Stage::Reading;
            return TickProgress::WaitingForReport;
        }
        if (p.ring.ReceivedByteCount == 0)
            break;
        if (p.clock.nowUs() - tick.sliceStartUs >= PollSliceUs) {
            tick.stage = PollTick::Stage::BetweenPasses;
            return TickProgress::Yielding;
        }
        read = BeginPass(p);
    }
    tick.stage = PollTick::Stage::Idle;
    if (p.store.FiledFrameCount > 0)
        p.display.RefreshResults(p.store.RecordCount);
    return TickProgress::Finished;
}

} // namespace

TickProgress StartPollTick(TimerProtocol& p, PollTick& tick)
{
    p.store.FiledFrameCount = 0;
    tick.sliceStartUs = p.clock.nowUs();
    return RunPasses(p, tick, BeginPass(p));
}

TickProgress ResumePollTick(TimerProtocol& p, PollTick& tick)
{
    tick.sliceStartUs = p.clock.nowUs();
    switch (tick.stage) {
    case PollTick::Stage::Reading:
        return RunPasses(p, tick, p.unit.continueReportRead());
    case PollTick::Stage::BetweenPasses:
        return RunPasses(p, tick, BeginPass(p));
    case PollTick::Stage::Idle:
        break;
    }
    return TickProgress::Finished;
}

void AbandonPollTick(TimerProtocol& p, PollTick& tick)
{
    if (tick.stage == PollTick::Stage::Reading)
        p.unit.abandonReportRead();
    tick.stage = PollTick::Stage::Idle;
}
