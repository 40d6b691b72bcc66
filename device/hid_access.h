#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct HidDeviceInfo {
    std::string path;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
};

enum class ReadOutcome {
    Completed, // one report is in the buffer
    TimedOut,  // none came in the time given; with 0, none is queued
    Failed,    // the read failed some other way
    Gone,      // the device has gone: this and every later read end at once
};

// Why an interface that is listed could not be opened.
enum class OpenFailure {
    None,
    NoPermission, // this user may not open it
    Busy,         // another program holds it
    Other,
};

// What a device's thread says of its queue.
enum class QueueEvent {
    Report,            // a report has been queued
    ReplaceableReport, // one the filter lets a newer one replace
    Gone,              // the device has gone
};
using ReportListener = std::function<void(QueueEvent)>;

// Which queued reports a newer one may take the place of. It sees a report
// as `read` delivers it, report-id byte first, and runs on the device's own
// thread.
using ReportFilter = std::function<bool(const std::uint8_t* report, std::size_t length)>;

// One open HID interface. Closing it is destroying it. Input reports wait in
// a queue of the device's own until they are read.
class HidDevice {
public:
    virtual ~HidDevice() = default;
    // Vendor and product id as the open device reports them.
    virtual bool attributes(std::uint16_t& vendorId, std::uint16_t& productId) = 0;
    // Report lengths in bytes, the report-id byte included.
    virtual int inputReportLength() = 0;
    virtual int outputReportLength() = 0;
    // Both take the report id in byte 0; a negative result is a failure.
    virtual int sendFeatureReport(const std::uint8_t* data, std::size_t length) = 0;
    virtual int write(const std::uint8_t* data, std::size_t length) = 0;
    // One input report, report-id byte first, awaited at most timeoutMs; with
    // 0 it never waits. `received` is the number of bytes placed in the buffer.
    virtual ReadOutcome read(std::uint8_t* buffer, std::size_t capacity, int timeoutMs, std::size_t& received) = 0;
    virtual void setReplaceableReports(ReportFilter filter) = 0;
    // Called, possibly on another thread, for every report queued and when the
    // device goes. A listener may only pass the news on to its own thread; it
    // must not call back into the device.
    virtual void setReportListener(ReportListener listener) = 0;
};

// Finding and opening HID interfaces.
class HidAccess {
public:
    virtual ~HidAccess() = default;
    // Interfaces present, asked for by ids; a platform may list others too.
    virtual std::vector<HidDeviceInfo> enumerate(std::uint16_t vendorId, std::uint16_t productId) = 0;
    // The list of a search, as the link looks for the unit: by default one
    // made now; nothing where a search that runs elsewhere has none ready yet.
    virtual std::optional<std::vector<HidDeviceInfo>> search(std::uint16_t vendorId, std::uint16_t productId)
    {
        return enumerate(vendorId, productId);
    }
    // nullptr when the interface cannot be opened; lastOpenFailure() says why.
    virtual std::unique_ptr<HidDevice> open(const std::string& path) = 0;
    virtual OpenFailure lastOpenFailure() const { return OpenFailure::Other; }
    // The version of the HID library below, for the About box; empty where
    // there is none (an emulated unit).
    virtual std::string libraryVersion() const { return {}; }
};
