#pragma once

#include "device/device_link.h"
#include "records/timer_commands.h"

// The device link as the timer protocol sees it.
class DeviceUnitPort : public TimerUnitPort {
public:
    DeviceUnitPort(DeviceContext& device, ReceiveRing& ring) : device_(device), ring_(ring) {}
    ReportReadProgress startReportRead() override { return StartReadTimerReport(device_, ring_); }
    ReportReadProgress continueReportRead() override { return ContinueReadTimerReport(device_, ring_); }
    std::int64_t reportWaitDeadlineUs() const override { return device_.link.pendingRead.waitDeadlineUs; }
    void abandonReportRead() override { AbandonReadTimerReport(device_.link); }
    bool sendCommand(std::uint8_t command) override { return WriteTimerReport(device_, command); }
    UnitReach reach() override
    {
        if (EnsureConnected(device_))
            return UnitReach::Connected;
        return device_.link.searchRunning && !device_.link.closed ? UnitReach::Searching : UnitReach::NotFound;
    }

private:
    DeviceContext& device_;
    ReceiveRing& ring_;
};
