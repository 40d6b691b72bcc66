#pragma once

#include "device/hid_access.h"

#include <QString>

namespace OperatorLineText {

// What the operator is told of a unit that is plugged in at `path` but could
// not be opened: why, in the words of the system the program runs on, and
// what to do about it. One file per system.
QString UnitNotOpened(const QString& path, OpenFailure why);

} // namespace OperatorLineText
