#include "device_link.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

constexpr int ReadsPerCall = 40;
constexpr int ReadWaitMs = 500;

// The unit's own concern: 9600 as a little-endian number, then 3.
constexpr std::array<std::uint8_t, 6> ConfigFeatureReport = {0x00, 0x80, 0x25, 0x00, 0x00, 0x03};

bool IsTimerUnit(HidDevice& device)
{
    std::uint16_t vendor = 0;
    std::uint16_t product = 0;
    return device.attributes(vendor, product) && vendor == TimerVendorId && product == TimerProductId;
}

void DropLink(DeviceLink& link)
{
    link.DeviceHandle.reset();
    link.DeviceConnected = false;
}

bool EnsureConnected(DeviceContext& device)
{
    if (!device.link.DeviceConnected)
        device.link.DeviceConnected = OpenTimerDevice(device);
    if (!device.link.DeviceConnected)
        device.status.showLinkStatus(LinkCaption::NotFound);
    return device.link.DeviceConnected;
}

} // namespace

void ReadDeviceCapabilities(DeviceLink& link)
{
    link.InputReportLength = static_cast<std::uint16_t>(std::max(0, link.DeviceHandle->inputReportLength()));
    link.OutputReportLength = static_cast<std::uint16_t>(std::max(0, link.DeviceHandle->outputReportLength()));
}

void SendConfigFeature(DeviceLink& link)
{
    // Some units stall this request; the result is not examined.
    link.DeviceHandle->sendFeatureReport(ConfigFeatureReport.data(), ConfigFeatureReport.size());
}

bool OpenTimerDevice(DeviceContext& device)
{
    DeviceLink& link = device.link;
    link.DeviceConnected = false;
    {
        const std::vector<HidDeviceInfo> interfaces = device.hid.enumerate(TimerVendorId, TimerProductId);
        for (const HidDeviceInfo& candidate : interfaces) {
            link.DevicePath = candidate.path;
            std::unique_ptr<HidDevice> handle = device.hid.open(candidate.path);
            if (handle && IsTimerUnit(*handle)) {
                link.DeviceHandle = std::move(handle);
                link.DeviceConnected = true;
                break;
            }
            // Not the unit: its handle closes here, before the next candidate.
        }
    }
    if (!link.DeviceConnected) {
        device.status.showLinkStatus(LinkCaption::NotFound);
        return false;
    }
    ReadDeviceCapabilities(link);
    SendConfigFeature(link);
    device.status.showLinkStatus(LinkCaption::Connected);
    return true;
}

void WriteTimerReport(DeviceContext& device, std::uint8_t command)
{
    if (!EnsureConnected(device))
        return;
    std::vector<std::uint8_t> report(std::max<std::size_t>(device.link.OutputReportLength, 3), 0);
    report[1] = 1;
    report[2] = command;
    // A unit that went away is noticed by the next read.
    device.link.DeviceHandle->write(report.data(), report.size());
}

void ReadTimerReport(DeviceContext& device, ReceiveRing& ring)
{
    if (!EnsureConnected(device))
        return;
    DeviceLink& link = device.link;
    // Never smaller than a report with 7 data bytes needs; reads report what they hold.
    std::vector<std::uint8_t> buffer(std::max<std::size_t>(link.InputReportLength, 9), 0);

    ReadOutcome outcome = ReadOutcome::Completed;
    for (int pass = 0; pass < ReadsPerCall; ++pass) {
        std::size_t received = 0;
        outcome = link.DeviceHandle->read(buffer.data(), buffer.size(), ReadWaitMs, received);
        if (outcome != ReadOutcome::Completed)
            break;
        if (received < 2)
            continue;
        const std::size_t count = buffer[1] & 7u;
        // A short report appends only the bytes it holds.
        const std::size_t available = std::min(count, received - 2);
        for (std::size_t i = 0; i < available; ++i)
            ring.append(buffer[2 + i]);
    }

    switch (outcome) {
    case ReadOutcome::Completed:
        device.status.showLinkStatus(LinkCaption::CommunicationOk);
        break;
    case ReadOutcome::TimedOut:
        device.status.showLinkStatus(LinkCaption::Timeout);
        DropLink(link);
        break;
    case ReadOutcome::Failed:
        device.status.showLinkStatus(LinkCaption::UndefinedError);
        DropLink(link);
        break;
    }
}

void CloseTimerDevice(DeviceLink& link)
{
    link.DeviceHandle.reset();
}
