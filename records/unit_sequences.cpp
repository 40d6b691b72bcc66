#include "records/unit_sequences.h"

#include <utility>

void UnitSequences::startUp()
{
    // The start-up read waits for the unit as a tick's reads do, without
    // holding the window.
    stage_ = Stage::StartupRead;
    poll_.readOnce([this] { startupReadDone(); });
}

void UnitSequences::startupReadDone()
{
    stage_ = Stage::StartupPause;
    protocol_.store.clearRecords();
    if (emptied_)
        emptied_();
    later_.callAfter(protocol_.clock.nowUs() + StartupWaitUs, [this] {
        stage_ = Stage::Idle;
        protocol_.unit.sendCommand(StartupCommand);
        protocol_.timer.setPolling(true);
        if (std::exchange(pressedDuringStartUp_, false))
            GetMemory();
    });
}

UnitSequences::Press UnitSequences::GetMemory()
{
    switch (stage_) {
    case Stage::StartupRead:
    case Stage::StartupPause:
        // A slow unit can take seconds to get there, so the press is kept.
        pressedDuringStartUp_ = true;
        return Press::AfterStartUp;
    case Stage::Pausing:
        return Press::AlreadyOnItsWay;
    case Stage::Idle:
        break;
    }
    if (!EmptyTableForMemory(protocol_))
        return Press::NoUnit;
    if (emptied_)
        emptied_();
    stage_ = Stage::Pausing;
    later_.callAfter(protocol_.clock.nowUs() + GetMemoryPauseUs, [this] { ask(); });
    return Press::Pausing;
}

void UnitSequences::ask()
{
    stage_ = Stage::Idle;
    AskForMemory(protocol_);
    if (asked_)
        asked_();
}

void UnitSequences::stop()
{
    stage_ = Stage::Idle;
    pressedDuringStartUp_ = false;
}
