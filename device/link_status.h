#pragma once

#include "device/hid_access.h"

#include <string>

// Where the device link shows its state: the status label of the main window.
class LinkStatusDisplay {
public:
    virtual ~LinkStatusDisplay() = default;
    virtual void showLinkStatus(const std::string& caption) = 0;
    // A unit is plugged in at `path` but could not be opened; told once for
    // each time it is plugged in.
    virtual void explainUnitNotOpened(const std::string& path, OpenFailure why) { (void)path, (void)why; }
};
