#pragma once

#include "device_link.h"
#include "timer_commands.h"

// The device link as the timer protocol sees it.
class DeviceUnitPort : public TimerUnitPort {
public:
    DeviceUnitPort(DeviceContext& device, ReceiveRing& ring) : device_(device), ring_(ring) {}
    void ReadTimerReport() override { ::ReadTimerReport(device_, ring_); }
    void WriteTimerReport(std::uint8_t command) override { ::WriteTimerReport(device_, command); }

private:
    DeviceContext& device_;
    ReceiveRing& ring_;
};
