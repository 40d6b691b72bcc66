#pragma once

#include <string>

struct ReportLengths {
    int input = 0;
    int output = 0;
};

// Report lengths (report-id byte included) of the HID interface that hidapi's
// libusb backend names by `path` ("bus-port.port:config.interface"), read
// from its interrupt endpoints. Zero where they cannot be read.
ReportLengths UsbReportLengths(const std::string& path);
