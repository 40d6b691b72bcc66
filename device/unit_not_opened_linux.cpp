#include "device/unit_not_opened.h"

std::string ExplainUnitNotOpened(const std::string& path, OpenFailure why)
{
    const std::string unit = "A timing unit is plugged in (USB " + path + "), but ";
    switch (why) {
    case OpenFailure::NoPermission:
        return unit + "this user may not open it. Install the program's udev rule (the trivex package installs it; "
                      "\"man trivex\" tells more), then unplug the unit and plug it in again.";
    case OpenFailure::Busy:
        return unit + "another program is using it. Close that program; the unit is taken up on its own once it is free.";
    case OpenFailure::None:
    case OpenFailure::Other:
        break;
    }
    return unit + "it could not be opened. Unplug it and plug it in again.";
}
