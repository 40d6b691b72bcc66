#include "device/unit_not_opened.h"

// The path Windows gives a HID interface is long and means nothing to an
// operator, so it is left out.
std::string ExplainUnitNotOpened(const std::string&, OpenFailure why)
{
    const std::string unit = "A timing unit is plugged in, but ";
    switch (why) {
    case OpenFailure::NoPermission:
        return unit + "Windows does not let this program open it. Unplug the unit and plug it in again; "
                      "if that does not help, restart the computer.";
    case OpenFailure::Busy:
        return unit + "another program is using it. Close that program; the unit is taken up on its own once it is free.";
    case OpenFailure::None:
    case OpenFailure::Other:
        break;
    }
    return unit + "Windows could not open it. Unplug it and plug it in again.";
}
