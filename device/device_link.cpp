#include "device/device_link.h"

#include "device/unit_report.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

constexpr int ReadsPerCall = 40;
constexpr std::int64_t ReadWaitUs = 500000;

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


// Says once per plug-in why a unit that is there could not be taken.
void ExplainUnopenable(DeviceContext& device, const std::vector<std::pair<std::string, OpenFailure>>& units)
{
    std::set<std::string> now;
    for (const auto& [path, why] : units) {
        now.insert(path);
        if (!device.link.unopenableUnits.count(path))
            device.status.explainUnitNotOpened(path, why);
    }
    // A unit no longer listed was unplugged: plugged in again, it is told again.
    device.link.unopenableUnits = std::move(now);
}

void AppendReport(const std::vector<std::uint8_t>& buffer, std::size_t received, ReceiveRing& ring)
{
    if (received < 2)
        return;
    const std::size_t count = buffer[1] & 7u;
    // A short report appends only the bytes it holds.
    const std::size_t available = std::min(count, received - 2);
    for (std::size_t i = 0; i < available; ++i)
        ring.append(buffer[2 + i]);
}

void EndReadCall(DeviceContext& device, ReadOutcome last)
{
    DeviceLink& link = device.link;
    link.pendingRead = {};
    switch (last) {
    case ReadOutcome::Completed:
        device.status.showLinkStatus(LinkState::CommunicationOk);
        break;
    case ReadOutcome::TimedOut:
    case ReadOutcome::Gone: // an unplugged unit, told at once rather than after the wait
        device.status.showLinkStatus(LinkState::Timeout);
        DropLink(link);
        break;
    case ReadOutcome::Failed:
        device.status.showLinkStatus(LinkState::UndefinedError);
        DropLink(link);
        break;
    }
}

// Reads on in the call in progress, taking only what is queued: a read that
// finds nothing stops the call until it is continued.
ReportReadProgress TakeReports(DeviceContext& device, ReceiveRing& ring)
{
    DeviceLink& link = device.link;
    ReportReadCall& call = link.pendingRead;
    while (call.completedReads < ReadsPerCall) {
        std::size_t received = 0;
        const ReadOutcome outcome = link.DeviceHandle->read(call.readBuffer.data(), call.readBuffer.size(), 0,
                                                            received);
        if (outcome == ReadOutcome::Completed) {
            AppendReport(call.readBuffer, received, ring);
            ++call.completedReads;
            call.waitDeadlineUs = device.clock.nowUs() + ReadWaitUs;
            continue;
        }
        // Nothing queued yet, and the wait has time left: go on when continued.
        if (outcome == ReadOutcome::TimedOut && device.clock.nowUs() < call.waitDeadlineUs)
            return ReportReadProgress::WaitingForReport;
        EndReadCall(device, outcome);
        return ReportReadProgress::Finished;
    }
    EndReadCall(device, ReadOutcome::Completed);
    return ReportReadProgress::Finished;
}

bool BeginReadCall(DeviceContext& device)
{
    if (!EnsureConnected(device))
        return false;
    DeviceLink& link = device.link;
    ReportReadCall& call = link.pendingRead;
    call = {};
    call.inProgress = true;
    call.readBuffer.assign(std::max<std::size_t>(link.InputReportLength, UnitReportLength), 0);
    call.waitDeadlineUs = device.clock.nowUs() + ReadWaitUs;
    return true;
}

} // namespace

bool EnsureConnected(DeviceContext& device)
{
    if (device.link.closed)
        return false;
    if (!device.link.DeviceConnected)
        device.link.DeviceConnected = OpenTimerDevice(device);
    if (!device.link.DeviceConnected)
        device.status.showLinkStatus(LinkState::NotFound);
    return device.link.DeviceConnected;
}

bool IsEmptyTimerReport(const std::uint8_t* report, std::size_t length)
{
    return length < 2 || (report[1] & 7u) == 0;
}

void ReadDeviceCapabilities(DeviceLink& link)
{
    link.InputReportLength = static_cast<std::uint16_t>(std::clamp(link.DeviceHandle->inputReportLength(), 0, 65535));
    link.OutputReportLength =
        static_cast<std::uint16_t>(std::clamp(link.DeviceHandle->outputReportLength(), 0, 65535));
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
    std::vector<std::pair<std::string, OpenFailure>> unopenable;
    const std::optional<std::vector<HidDeviceInfo>> interfaces = device.hid.search(TimerVendorId, TimerProductId);
    link.searchRunning = !interfaces;
    if (!interfaces) {
        // The search is still going on: nothing is known yet of units that cannot be opened.
        device.status.showLinkStatus(LinkState::NotFound);
        return false;
    }
    {
        for (const HidDeviceInfo& candidate : *interfaces) {
            link.DevicePath = candidate.path;
            std::unique_ptr<HidDevice> handle = device.hid.open(candidate.path);
            if (!handle && candidate.vendorId == TimerVendorId && candidate.productId == TimerProductId)
                unopenable.emplace_back(candidate.path, device.hid.lastOpenFailure());
            if (handle && IsTimerUnit(*handle)) {
                link.DeviceHandle = std::move(handle);
                link.DeviceConnected = true;
                break;
            }
            // Not the unit: its handle closes here, before the next candidate.
        }
    }
    if (!link.DeviceConnected) {
        ExplainUnopenable(device, unopenable);
        device.status.showLinkStatus(LinkState::NotFound);
        return false;
    }
    link.unopenableUnits.clear();
    // Empty reports only say the unit is alive; while they wait unread, a newer one may take their place.
    link.DeviceHandle->setReplaceableReports(&IsEmptyTimerReport);
    link.DeviceHandle->setReportListener(device.reportQueued);
    ReadDeviceCapabilities(link);
    SendConfigFeature(link);
    device.status.showLinkStatus(LinkState::Connected);
    return true;
}

bool WriteTimerReport(DeviceContext& device, std::uint8_t command)
{
    if (!EnsureConnected(device))
        return false;
    std::vector<std::uint8_t> report(std::max<std::size_t>(device.link.OutputReportLength, 3), 0);
    report[1] = 1;
    report[2] = command;
    // A unit that went away is noticed by the next read.
    device.link.DeviceHandle->write(report.data(), report.size());
    // The unit's answer is awaited the whole wait from the command, also by
    // a read that was already waiting when it went.
    ReportReadCall& call = device.link.pendingRead;
    if (call.inProgress)
        call.waitDeadlineUs = std::max(call.waitDeadlineUs, device.clock.nowUs() + ReadWaitUs);
    return true;
}

ReportReadProgress StartReadTimerReport(DeviceContext& device, ReceiveRing& ring)
{
    if (!BeginReadCall(device))
        return ReportReadProgress::Finished;
    return TakeReports(device, ring);
}

ReportReadProgress ContinueReadTimerReport(DeviceContext& device, ReceiveRing& ring)
{
    if (!device.link.pendingRead.inProgress || !device.link.DeviceHandle)
        return ReportReadProgress::Finished;
    return TakeReports(device, ring);
}

void AbandonReadTimerReport(DeviceLink& link) { link.pendingRead = {}; }

void CloseTimerDevice(DeviceLink& link)
{
    link.pendingRead = {};
    link.DeviceHandle.reset();
    link.closed = true;
}

// Marked for the translation catalogue; the program shows each caption in
// the operator's language. This folder is plain C++, so the mark is spelled
// out here as Qt spells it.
#define QT_TRANSLATE_NOOP(context, text) text

const std::string& LinkCaptionOf(LinkState state)
{
    static const std::string Connected = QT_TRANSLATE_NOOP("LinkStatus", "USB Connected ");
    static const std::string NotFound = QT_TRANSLATE_NOOP("LinkStatus", "USB Not Found ");
    static const std::string CommunicationOk = QT_TRANSLATE_NOOP("LinkStatus", "USB Communication OK");
    static const std::string Timeout = QT_TRANSLATE_NOOP("LinkStatus", "Readfile Timeout ");
    static const std::string UndefinedError = QT_TRANSLATE_NOOP("LinkStatus", "Readfile Undefined Error");
    switch (state) {
    case LinkState::Connected:
        return Connected;
    case LinkState::NotFound:
        return NotFound;
    case LinkState::CommunicationOk:
        return CommunicationOk;
    case LinkState::Timeout:
        return Timeout;
    case LinkState::UndefinedError:
        break;
    }
    return UndefinedError;
}
