#pragma once

// Control of the fake hidapi library that stands in for the real one in the
// HID layer's tests. Like hidapi's libusb backend, the fake keeps only the
// newest 32 reports and returns 0 at once for zero-length packets. It lists
// one interface, "1-1:1.0", with the unit's ids; nothing of the machine's own
// USB devices is read.
namespace fake_hidapi {

struct Stream {
    int reports = 0;          // reports the device sends, numbered 0..reports-1
    int intervalUs = 200;     // time between two reports
    bool zeroLengthPackets = true;
    bool failAfterLast = false; // reads fail (device gone) once all are sent
};

// Back to a silent, present, openable device with every count at 0. Call it
// before a test opens anything.
void Reset();
// The device starts sending `stream` now.
void Start(const Stream& stream);
void SetPresent(bool present);
void SetOpenable(bool openable);

int ReportsDroppedByBackend();
int OpenDevices();
int PhysicalOpens();
int LibraryStarts(); // hid_init calls
int LibraryStops();  // hid_exit calls

} // namespace fake_hidapi
