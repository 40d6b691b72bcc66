#pragma once

#include "device/hid_access.h"

#include <string>

// What the operator is told of a unit that is plugged in at `path` but could
// not be opened: why, in the words of the system the program runs on, and
// what to do about it.
std::string ExplainUnitNotOpened(const std::string& path, OpenFailure why);
