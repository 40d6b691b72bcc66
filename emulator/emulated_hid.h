#pragma once

#include "emulator/emulated_unit.h"
#include "device/hid_access.h"

#include <deque>
#include <string>
#include <vector>

// A HID access layer over a list of emulated devices: timing units, devices
// of other makers, and interfaces that cannot be opened. Like some
// platforms, it lists every device whatever ids are asked for.
class EmulatedHidAccess : public HidAccess {
public:
    // How an open unit's reports reach its queue. OnRead: only when the host
    // reads, for a virtual clock that the test moves on. RealTime: a thread
    // of the device's own queues each report when its time comes and tells
    // the listener, as the HID layer's reader does.
    enum class Pacing { OnRead, RealTime };

    explicit EmulatedHidAccess(Pacing pacing = Pacing::OnRead) : pacing_(pacing) {}

    void addUnit(const std::string& path, EmulatedUnit& unit);
    void addOtherDevice(const std::string& path, std::uint16_t vendorId, std::uint16_t productId);
    void addUnopenable(const std::string& path, std::uint16_t vendorId, std::uint16_t productId,
                       OpenFailure why = OpenFailure::NoPermission);
    void remove(const std::string& path);

    std::vector<HidDeviceInfo> enumerate(std::uint16_t vendorId, std::uint16_t productId) override;
    std::unique_ptr<HidDevice> open(const std::string& path) override;
    OpenFailure lastOpenFailure() const override { return lastFailure_; }

    int enumerations() const { return enumerations_; }
    int opens(const std::string& path) const;
    int closes(const std::string& path) const;
    // Handles open now, over all devices.
    int openHandles() const;

    struct Entry {
        std::string path;
        std::uint16_t vendorId;
        std::uint16_t productId;
        EmulatedUnit* unit; // null for other devices
        bool openable;
        OpenFailure whyNot = OpenFailure::None;
        bool listed = true;
        int opens = 0;
        int closes = 0;
    };

private:
    Entry* find(const std::string& path);
    const Entry* find(const std::string& path) const;

    Pacing pacing_;
    std::deque<Entry> entries_; // handles keep references to their entry
    int enumerations_ = 0;
    OpenFailure lastFailure_ = OpenFailure::None;
};
