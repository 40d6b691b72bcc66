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
    void sendCommand(std::uint8_t command) override { WriteTimerReport(device_, command); }
    bool reachable() override { return EnsureConnected(device_); }

private:
    DeviceContext& device_;
    ReceiveRing& ring_;
};
