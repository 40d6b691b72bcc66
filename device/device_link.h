#pragma once

#include "records/clock.h"
#include "device/hid_access.h"
#include "device/link_status.h"
#include "records/receive_ring.h"
#include "records/timer_commands.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

constexpr std::uint16_t TimerVendorId = 1204;   // 0x04B4
constexpr std::uint16_t TimerProductId = 21760; // 0x5500

// A call of ReadTimerReport that has not ended yet: it stopped where the next
// report was not there, and goes on from here.
struct ReportReadCall {
    bool inProgress = false;
    int completedReads = 0;
    // When the wait for the next report runs out (500 ms after the last one came).
    std::int64_t waitDeadlineUs = 0;
    std::vector<std::uint8_t> readBuffer;
};

// The link to the timing unit. One open device serves for output, feature
// and input reports alike.
struct DeviceLink {
    bool DeviceConnected = false;
    std::string DevicePath;
    std::unique_ptr<HidDevice> DeviceHandle;
    std::uint16_t InputReportLength = 0;
    std::uint16_t OutputReportLength = 0;
    ReportReadCall pendingRead;
    // Set by CloseTimerDevice: the program is ending and nothing is sent or read again.
    bool closed = false;
    // The last look for the unit found a search still running on its thread.
    bool searchRunning = false;
    // Units listed with the right ids that could not be opened, already explained.
    std::set<std::string> unopenableUnits;
};

// What the link procedures work with; owned by the application.
struct DeviceContext {
    DeviceLink& link;
    HidAccess& hid;
    LinkStatusDisplay& status;
    Clock& clock;
    // Handed to every device the link opens: told, on the device's own
    // thread, of every report queued and of the device going.
    ReportListener reportQueued;
};

// Reports of the unit: byte 0 the report id, byte 1 the count of data bytes
// in bits 0..2, then the data bytes.
bool IsEmptyTimerReport(const std::uint8_t* report, std::size_t length);

// Searches for the unit, opens it, learns its report lengths and sends its
// configuration feature report. Returns DeviceConnected.
bool OpenTimerDevice(DeviceContext& device);
void ReadDeviceCapabilities(DeviceLink& link);
void SendConfigFeature(DeviceLink& link);

// Connected, or found and opened now; shows "USB Not Found " when not, and is
// false once the program is ending.
bool EnsureConnected(DeviceContext& device);

// Sends one command byte; false, and nothing sent, when no unit can be found
// (or none yet: see `searchRunning`). A read under way waits for the answer
// at least the whole wait from the command.
bool WriteTimerReport(DeviceContext& device, std::uint8_t command);

// ReadTimerReport, one call: up to 40 input reports, each awaited at most
// 500 ms, appended to the ring. A wait that runs out or fails closes the
// link. The call never waits on this thread: Start and Continue take what is
// queued and return WaitingForReport where the next report is still to come,
// and the caller goes on when it has come or the wait has run out.
ReportReadProgress StartReadTimerReport(DeviceContext& device, ReceiveRing& ring);
ReportReadProgress ContinueReadTimerReport(DeviceContext& device, ReceiveRing& ring);
void AbandonReadTimerReport(DeviceLink& link);

// Closes the unit's handle where open. Later transfers do nothing.
void CloseTimerDevice(DeviceLink& link);
