#pragma once

#include "device/hid_access.h"

#include <functional>
#include <string>

struct hid_device_;

// Report lengths in bytes, report-id byte included; zero where unknown.
struct ReportLengths {
    int input = 0;
    int output = 0;
};

// What the hidapi layer learns from the system below hidapi, which differs
// from one platform to the next; tests put their own in.
struct HidapiPlatformSide {
    std::function<ReportLengths(const std::string& path)> reportLengths;
    std::function<OpenFailure(const std::string& path)> whyNotOpened;
    // Whether hidapi sees units plugged in after it started, or must be
    // started afresh to see them.
    std::function<bool()> hearsOfNewDevices;
    // Called once on each interface hidapi has just opened.
    std::function<void(hid_device_* device)> prepareOpened = [](hid_device_*) {};
};

// The side of the platform the program is built for.
HidapiPlatformSide ThisPlatformSide();
