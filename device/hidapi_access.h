#pragma once

#include "device/hid_access.h"
#include "device/hidapi_platform.h"
#include "records/clock.h"

#include <map>
#include <memory>
#include <string>

// HID access through hidapi: its libusb backend on Linux (the kernel's serial
// driver holds the unit and no hidraw node exists for it), its own Windows
// backend on Windows.
//
// Threads. Everything here runs on the thread that owns the access (the
// user-interface thread) except the reader of each open interface, which only
// calls hid_read_timeout and pushes into that interface's queue. The Windows
// backend (and the hidraw one) keep one error text per device that every call
// replaces, so every call on a device holds that interface's lock, and the
// reader waits in short calls so that the lock is free often. hid_close is
// never called while the reader runs: the reader is joined first.
//
// The link closes and opens the unit again on every read that waits in vain.
// Closing the interface for real would lose the reports queued meanwhile (and
// on Linux hand the unit back to the kernel's serial driver), so an interface
// stays open below the link: a later open of the same path gets it back, with
// every report that came meanwhile still queued. It is
// really closed when the unit has gone, when it has not been used for
// KeepOpenUs, and when the access is destroyed. Devices opened through the
// access must not outlive it.
class HidapiAccess : public HidAccess {
public:
    std::string libraryVersion() const override;
    static constexpr std::int64_t KeepOpenUs = 10'000'000;

    explicit HidapiAccess(Clock& clock, HidapiPlatformSide platform = ThisPlatformSide());
    ~HidapiAccess() override;
    HidapiAccess(const HidapiAccess&) = delete;
    HidapiAccess& operator=(const HidapiAccess&) = delete;

    std::vector<HidDeviceInfo> enumerate(std::uint16_t vendorId, std::uint16_t productId) override;
    std::unique_ptr<HidDevice> open(const std::string& path) override;
    OpenFailure lastOpenFailure() const override { return lastFailure_; }

    // Interfaces hidapi has opened so far, and those open now.
    int physicalOpens() const { return physicalOpens_; }
    int openInterfaces() const { return static_cast<int>(kept_.size()); }

    struct OpenInterface;

private:
    friend class HidapiHandle;
    void release(OpenInterface& interface);
    void closeUnused();

    Clock& clock_;
    HidapiPlatformSide platform_;
    std::map<std::string, std::unique_ptr<OpenInterface>> kept_;
    OpenFailure lastFailure_ = OpenFailure::None;
    int physicalOpens_ = 0;
};
