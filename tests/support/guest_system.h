#pragma once

// What the test guest's kernel shows of the unit, as each system's program
// meets it: on Linux the kernel's serial driver holds the unit until the
// program takes it through libusb; on Windows (wine in the guest) the HID
// driver holds it for good and the program reaches it through that driver.
bool SystemDriverHoldsTheUnit();
// The program has the unit, and nothing else of the system does.
bool ProgramAloneHasTheUnit();
// How often the system's own driver has taken the unit since the guest started.
int SystemDriverTakeovers();
