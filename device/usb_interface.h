#pragma once

#include "device/hid_access.h"
#include "device/hidapi_platform.h"

#include <cstdint>
#include <string>
#include <vector>

// What the USB side tells about a HID interface that hidapi's libusb backend
// names by its path ("bus-port.port:config.interface"): the Linux side of the
// hidapi layer.

struct InterruptEndpoint {
    bool in = false;
    int maxPacketSize = 0; // wMaxPacketSize as the descriptor holds it
};

// Report lengths (report-id byte included) from the interrupt endpoints;
// zero where there is no IN endpoint. Without an OUT endpoint, output
// reports go over the control pipe and keep the unit's own length.
ReportLengths ReportLengthsOf(const std::vector<InterruptEndpoint>& endpoints);

// Report lengths of the interface, read from its descriptors; zero where it
// cannot be found.
ReportLengths UsbReportLengths(const std::string& path);

// Why the interface could not be opened: the device node's permissions tell
// a missing udev rule from a device another program holds.
OpenFailure UsbOpenFailure(const std::string& path);

// libusb learns of devices plugged in later only from the udev daemon.
bool UdevDaemonRunning();
