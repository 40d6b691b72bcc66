// Under wine, a path from the root is on drive Z:, the guest's own root.
#include "support/guest_system.h"

#include <QDir>

bool SystemDriverHoldsTheUnit()
{
    return !QDir("Z:/sys/bus/usb/drivers/usbhid").entryList({"*:*"}, QDir::AllEntries | QDir::System).isEmpty();
}

// The HID driver stays below the program: what matters is that the serial
// driver never has the unit.
bool ProgramAloneHasTheUnit()
{
    return SystemDriverHoldsTheUnit()
        && QDir("Z:/sys/bus/usb/drivers/cypress_m8").entryList({"*:*"}, QDir::AllEntries | QDir::System).isEmpty();
}

// The HID driver never lets the unit go, so no other driver takes it over.
int SystemDriverTakeovers() { return 0; }
