#pragma once

#include "device/hid_access.h"
#include "device/hidapi_platform.h"

#include <memory>
#include <optional>
#include <string>

// What Windows' HID class driver tells about a HID interface that hidapi's
// Windows backend names by its device-interface path: the Windows side of the
// hidapi layer. On Windows the unit is a plain HID device; no driver or rule
// of ours is needed.

// The calls into hid.dll and the file system that this side makes, with the
// path as hidapi gives it (UTF-8); tests put their own in.
class WindowsHidCalls {
public:
    virtual ~WindowsHidCalls() = default;
    // InputReportByteLength and OutputReportByteLength of the interface's HID
    // capabilities (HidD_GetPreparsedData, HidP_GetCaps), or nothing when they
    // cannot be read.
    virtual std::optional<ReportLengths> capabilities(const std::string& path) = 0;
    // The system error code of opening the interface for reading and writing,
    // shared both ways; 0 when it opened.
    virtual unsigned long openError(const std::string& path) = 0;
    // Asks the system to keep `count` input reports for an interface hidapi opened.
    virtual void setInputBuffers(hid_device_* device, int count) = 0;
};

// Input reports the system queues for the unit while the program is busy.
constexpr int WindowsInputBuffers = 200;

// System error codes the open failure is told by.
namespace WindowsError {
constexpr unsigned long AccessDenied = 5;
constexpr unsigned long SharingViolation = 32;
} // namespace WindowsError

// Report lengths from the capabilities; zero where they cannot be read.
ReportLengths WindowsReportLengths(WindowsHidCalls& calls, const std::string& path);
// Another program holding the unit shows as a sharing violation.
OpenFailure WindowsOpenFailure(WindowsHidCalls& calls, const std::string& path);
HidapiPlatformSide WindowsPlatformSide(std::shared_ptr<WindowsHidCalls> calls);
