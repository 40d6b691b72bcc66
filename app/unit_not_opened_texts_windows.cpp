#include "app/unit_not_opened_texts.h"

#include "app/operator_line.h"

namespace OperatorLineText {

// The path Windows gives a HID interface is long and means nothing to an
// operator, so it is left out.
QString UnitNotOpened(const QString&, OpenFailure why)
{
    switch (why) {
    case OpenFailure::NoPermission:
        return OperatorLine::tr(
            "A timing unit is plugged in, but Windows does not let this program open it. Unplug the unit and "
            "plug it in again; if that does not help, restart the computer.");
    case OpenFailure::Busy:
        return OperatorLine::tr(
            "A timing unit is plugged in, but another program is using it. Close that program; the unit is "
            "taken up on its own once it is free.");
    case OpenFailure::None:
    case OpenFailure::Other:
        break;
    }
    return OperatorLine::tr(
        "A timing unit is plugged in, but Windows could not open it. Unplug it and plug it in again.");
}

} // namespace OperatorLineText
