#pragma once

#include "clock.h"
#include "hid_access.h"
#include "usb_interface.h"

#include <functional>
#include <map>
#include <memory>
#include <string>

// What the hidapi access learns from the USB side; tests put their own in.
struct HidapiUsbSide {
    std::function<ReportLengths(const std::string& path)> reportLengths = &UsbReportLengths;
    std::function<OpenFailure(const std::string& path)> whyNotOpened = &UsbOpenFailure;
    std::function<bool()> hearsOfNewDevices = &UdevDaemonRunning;
};

// HID access through hidapi's libusb backend (on Linux the kernel's serial
// driver holds the unit and no hidraw node exists for it).
//
// Threads. Everything here runs on the thread that owns the access (the
// user-interface thread) except the reader of each open interface, which only
// calls hid_read_timeout and pushes into that interface's queue. hidapi
// allows hid_read_timeout on one thread while another uses the same device;
// in the libusb backend of 0.13 the read only takes reports from the list its
// own transfer thread fills, under that device's mutex, while hid_write,
// hid_send_feature_report and hid_get_device_info do their own libusb
// transfers, which libusb runs safely side by side. hid_close is never called
// while the reader runs: the reader is joined first. Other backends differ:
// the hidraw and Windows ones keep one error text per device that
// hid_read_timeout and hid_write both replace, so with them every other call
// would have to be serialised with the reader's (one lock around each call,
// and a short reader time-out so the lock is free often).
//
// The link closes and opens the unit again on every read that waits in vain.
// Closing the interface for real hands it back to the kernel's serial driver,
// so an interface stays open below the link: a later open of the same path
// gets it back, with every report that came meanwhile still queued. It is
// really closed when the unit has gone, when it has not been used for
// KeepOpenUs, and when the access is destroyed. Devices opened through the
// access must not outlive it.
class HidapiAccess : public HidAccess {
public:
    static constexpr std::int64_t KeepOpenUs = 10'000'000;

    using UsbSide = HidapiUsbSide;

    explicit HidapiAccess(Clock& clock, UsbSide usb = UsbSide());
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
    UsbSide usb_;
    std::map<std::string, std::unique_ptr<OpenInterface>> kept_;
    OpenFailure lastFailure_ = OpenFailure::None;
    int physicalOpens_ = 0;
};
