#pragma once

#include <string>

// Where the device link shows its state: the status label of the main window.
class LinkStatusDisplay {
public:
    virtual ~LinkStatusDisplay() = default;
    virtual void showLinkStatus(const std::string& caption) = 0;
};
