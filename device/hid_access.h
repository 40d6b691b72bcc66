#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct HidDeviceInfo {
    std::string path;
    std::uint16_t vendorId = 0;
    std::uint16_t productId = 0;
};

enum class ReadOutcome { Completed, TimedOut, Failed };

// One open HID interface. Closing it is destroying it.
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
    // One input report, report-id byte first, awaited at most timeoutMs.
    // `received` is the number of bytes placed in the buffer.
    virtual ReadOutcome read(std::uint8_t* buffer, std::size_t capacity, int timeoutMs, std::size_t& received) = 0;
};

// Finding and opening HID interfaces.
class HidAccess {
public:
    virtual ~HidAccess() = default;
    // Interfaces present, asked for by ids; a platform may list others too.
    virtual std::vector<HidDeviceInfo> enumerate(std::uint16_t vendorId, std::uint16_t productId) = 0;
    // nullptr when the interface cannot be opened.
    virtual std::unique_ptr<HidDevice> open(const std::string& path) = 0;
};
