#include "app/unit_not_opened_texts.h"

#include "app/operator_line.h"

namespace OperatorLineText {

QString UnitNotOpened(const QString& path, OpenFailure why)
{
    switch (why) {
    case OpenFailure::NoPermission:
        return OperatorLine::tr(
            "A timing unit is plugged in (USB %1), but this user may not open it. Install the program's udev "
            "rule (the trivex package installs it; \"man trivex\" tells more), then unplug the unit and plug "
            "it in again.")
            .arg(path);
    case OpenFailure::Busy:
        return OperatorLine::tr(
            "A timing unit is plugged in (USB %1), but another program is using it. Close that program; the "
            "unit is taken up on its own once it is free.")
            .arg(path);
    case OpenFailure::None:
    case OpenFailure::Other:
        break;
    }
    return OperatorLine::tr(
        "A timing unit is plugged in (USB %1), but it could not be opened. Unplug it and plug it in again.")
        .arg(path);
}

} // namespace OperatorLineText
