#include "records/poll_tick.h"

#include "records/frame_scanner.h"

#include <utility>

void PollTick::timerFired()
{
    if (stage_ != Stage::Idle) {
        overdue_ = true;
        return;
    }
    startTick();
}

void PollTick::startTick()
{
    p_.records.zeroFiledFrameCount();
    sliceStartUs_ = p_.clock.nowUs();
    runPasses(beginPass());
}

ReportReadProgress PollTick::beginPass()
{
    p_.ring.ReceivedByteCount = 0;
    return p_.unit.startReportRead();
}

void PollTick::runPasses(ReportReadProgress read)
{
    for (;;) {
        // After each pass, and also before the thread is handed back to wait
        // for a report: the list then shows each record as soon as it has come.
        const int filedBefore = p_.records.table().FiledFrameCount;
        p_.records.fileFrames(p_.ring, p_.scroll);
        if (p_.records.table().FiledFrameCount != filedBefore)
            p_.display.showFiledRecords();
        if (read == ReportReadProgress::WaitingForReport) {
            stage_ = Stage::Reading;
            wakeups_.resumeAt(p_.unit.reportWaitDeadlineUs());
            tickStopped(false);
            return;
        }
        if (p_.ring.ReceivedByteCount == 0)
            break;
        if (p_.clock.nowUs() - sliceStartUs_ >= PollSliceUs) {
            stage_ = Stage::BetweenPasses;
            wakeups_.resumeSoon();
            tickStopped(false);
            return;
        }
        read = beginPass();
    }
    stage_ = Stage::Idle;
    if (p_.records.table().FiledFrameCount > 0)
        p_.display.RefreshResults(p_.records.table().RecordCount);
    if (overdue_)
        wakeups_.resumeSoon();
    tickStopped(true);
}

void PollTick::tickStopped(bool ended)
{
    if (stopped_)
        stopped_(ended);
}

void PollTick::readOnce(std::function<void()> done)
{
    readOnceDone_ = std::move(done);
    stage_ = Stage::ReadOnceDue;
    wakeups_.resumeSoon();
}

void PollTick::continueReadOnce(ReportReadProgress read)
{
    if (read == ReportReadProgress::WaitingForReport) {
        stage_ = Stage::ReadingOnce;
        wakeups_.resumeAt(p_.unit.reportWaitDeadlineUs());
        return;
    }
    stage_ = Stage::Idle;
    if (auto done = std::exchange(readOnceDone_, nullptr))
        done();
}

void PollTick::resume()
{
    // A wake-up left over from an earlier stop only finds the read waiting on.
    switch (stage_) {
    case Stage::ReadOnceDue:
        continueReadOnce(p_.unit.startReportRead());
        return;
    case Stage::ReadingOnce:
        continueReadOnce(p_.unit.continueReportRead());
        return;
    case Stage::Reading:
        sliceStartUs_ = p_.clock.nowUs();
        runPasses(p_.unit.continueReportRead());
        return;
    case Stage::BetweenPasses:
        sliceStartUs_ = p_.clock.nowUs();
        runPasses(beginPass());
        return;
    case Stage::Idle:
        if (std::exchange(overdue_, false))
            startTick();
        return;
    }
}

void PollTick::stop()
{
    if (stage_ == Stage::Reading || stage_ == Stage::ReadingOnce)
        p_.unit.abandonReportRead();
    stage_ = Stage::Idle;
    overdue_ = false;
    readOnceDone_ = nullptr;
}
