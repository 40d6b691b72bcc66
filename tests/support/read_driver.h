#pragma once

#include "records/clock.h"
#include "device/device_link.h"

#include <algorithm>
#include <cstdint>
#include <functional>

// Runs one read call to its end on a virtual clock, standing in for the event
// loop: each time the call waits, the clock moves on to its deadline, or to
// the moment `nextReport` says the next report comes, if that is sooner.
inline void ReadWholeCall(DeviceContext& device, ReceiveRing& ring, VirtualClock& clock,
                          const std::function<std::int64_t()>& nextReport = {})
{
    ring.ReceivedByteCount = 0;
    ReportReadProgress progress = StartReadTimerReport(device, ring);
    while (progress == ReportReadProgress::WaitingForReport) {
        std::int64_t wake = device.link.pendingRead.waitDeadlineUs;
        if (nextReport)
            wake = std::min(wake, nextReport());
        clock.sleepUntilUs(wake);
        progress = ContinueReadTimerReport(device, ring);
    }
}
