#pragma once

// Control of the fake hidapi library that stands in for the real one in the
// HID layer's tests. Like hidapi's libusb backend, the fake keeps only the
// newest 32 reports and returns 0 at once for zero-length packets.
namespace fake_hidapi {

struct Stream {
    int reports = 0;          // reports the device sends, numbered 0..reports-1
    int intervalUs = 200;     // time between two reports
    bool zeroLengthPackets = true;
    bool failAfterLast = false; // reads fail (device gone) once all are sent
};

void Start(const Stream& stream);
int ReportsDroppedByBackend();
int OpenDevices();

} // namespace fake_hidapi
