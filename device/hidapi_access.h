#pragma once

#include "hid_access.h"

// HID access through hidapi (its libusb backend on Linux, where the kernel's
// serial driver holds the unit and no hidraw node exists for it).
class HidapiAccess : public HidAccess {
public:
    HidapiAccess();
    ~HidapiAccess() override;
    HidapiAccess(const HidapiAccess&) = delete;
    HidapiAccess& operator=(const HidapiAccess&) = delete;

    std::vector<HidDeviceInfo> enumerate(std::uint16_t vendorId, std::uint16_t productId) override;
    std::unique_ptr<HidDevice> open(const std::string& path) override;

private:
    int openDevices_ = 0;
};
