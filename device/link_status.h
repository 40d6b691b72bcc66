#pragma once

#include "device/hid_access.h"

#include <string>

// How the link to the unit stands, as its caption tells it.
enum class LinkState { Connected, NotFound, CommunicationOk, Timeout, UndefinedError };

// The caption of each state, exactly as the status label shows it.
const std::string& LinkCaptionOf(LinkState state);

// The read failed and the link was dropped: the unit went quiet or away.
constexpr bool LinkLost(LinkState state) { return state == LinkState::Timeout || state == LinkState::UndefinedError; }

// Where the device link shows its state: the status label of the main window.
class LinkStatusDisplay {
public:
    virtual ~LinkStatusDisplay() = default;
    virtual void showLinkStatus(LinkState state) = 0;
    // A unit is plugged in at `path` but could not be opened; told once for
    // each time it is plugged in.
    virtual void explainUnitNotOpened(const std::string& path, OpenFailure why) { (void)path, (void)why; }
};
