#pragma once

#include "hid_access.h"
#include "link_status.h"
#include "receive_ring.h"

#include <cstdint>
#include <memory>
#include <string>

constexpr std::uint16_t TimerVendorId = 1204;   // 0x04B4
constexpr std::uint16_t TimerProductId = 21760; // 0x5500

// The link to the timing unit. One open device serves for output, feature
// and input reports alike.
struct DeviceLink {
    bool DeviceConnected = false;
    std::string DevicePath;
    std::unique_ptr<HidDevice> DeviceHandle;
    std::uint16_t InputReportLength = 0;
    std::uint16_t OutputReportLength = 0;
};

// What the link procedures work with; owned by the application.
struct DeviceContext {
    DeviceLink& link;
    HidAccess& hid;
    LinkStatusDisplay& status;
};

namespace LinkCaption {
inline const std::string Connected = "USB Connected ";
inline const std::string NotFound = "USB Not Found ";
inline const std::string CommunicationOk = "USB Communication OK";
inline const std::string Timeout = "Readfile Timeout ";
inline const std::string UndefinedError = "Readfile Undefined Error";
} // namespace LinkCaption

// Searches for the unit, opens it, learns its report lengths and sends its
// configuration feature report. Returns DeviceConnected.
bool OpenTimerDevice(DeviceContext& device);
void ReadDeviceCapabilities(DeviceLink& link);
void SendConfigFeature(DeviceLink& link);

// Sends one command byte; dropped when no unit can be found.
void WriteTimerReport(DeviceContext& device, std::uint8_t command);

// Reads up to 40 input reports, each awaited at most 500 ms, into the ring.
// A wait that runs out or fails closes the link.
void ReadTimerReport(DeviceContext& device, ReceiveRing& ring);

// Closes the unit's handle where open; nothing else changes.
void CloseTimerDevice(DeviceLink& link);
