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
    protocol_.records.empty(false);
    if (emptied_)
        emptied_();
    later_.callAfter(protocol_.clock.nowUs() + StartupWaitUs, [this] {
        stage_ = Stage::Idle;
        protocol_.unit.sendCommand(StartupCommand);
        protocol_.timer.setPolling(true);
        if (started_)
            started_();
        if (std::exchange(pressedDuringStartUp_, false) && GetMemory() == Press::NoUnit)
            noUnit();
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
    case Stage::AwaitingSearch:
    case Stage::AskingAfterSearch:
        return Press::AlreadyOnItsWay;
    case Stage::Idle:
        break;
    }
    return press();
}

UnitSequences::Press UnitSequences::press()
{
    switch (protocol_.unit.reach()) {
    case UnitReach::Searching:
        stage_ = Stage::AwaitingSearch;
        later_.callAfter(protocol_.clock.nowUs() + SearchLookUs, [this] {
            stage_ = Stage::Idle;
            if (press() == Press::NoUnit)
                noUnit();
        });
        return Press::AwaitingSearch;
    case UnitReach::NotFound:
        return Press::NoUnit;
    case UnitReach::Connected:
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
    // A silent unit's link may have closed in the pause: the command waits
    // for the search rather than being dropped.
    if (protocol_.unit.reach() == UnitReach::Searching) {
        stage_ = Stage::AskingAfterSearch;
        later_.callAfter(protocol_.clock.nowUs() + SearchLookUs, [this] { ask(); });
        return;
    }
    stage_ = Stage::Idle;
    if (!AskForMemory(protocol_)) {
        noUnit();
        return;
    }
    if (asked_)
        asked_();
}

void UnitSequences::noUnit()
{
    if (noUnit_)
        noUnit_();
}

void UnitSequences::stop()
{
    stage_ = Stage::Idle;
    pressedDuringStartUp_ = false;
}
