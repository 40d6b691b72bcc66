#include "emulated_hid.h"

namespace {

class CountedDevice : public HidDevice {
public:
    explicit CountedDevice(EmulatedHidAccess::Entry& entry) : entry_(entry) { ++entry_.opens; }
    ~CountedDevice() override { ++entry_.closes; }

    bool attributes(std::uint16_t& vendorId, std::uint16_t& productId) override
    {
        vendorId = entry_.vendorId;
        productId = entry_.productId;
        return true;
    }

protected:
    EmulatedHidAccess::Entry& entry_;
};

// A device of another kind: it never sends anything.
class OtherDevice : public CountedDevice {
public:
    using CountedDevice::CountedDevice;
    int inputReportLength() override { return 65; }
    int outputReportLength() override { return 65; }
    int sendFeatureReport(const std::uint8_t*, std::size_t length) override { return static_cast<int>(length); }
    int write(const std::uint8_t*, std::size_t length) override { return static_cast<int>(length); }
    ReadOutcome read(std::uint8_t*, std::size_t, int, std::size_t& received) override
    {
        received = 0;
        return ReadOutcome::TimedOut;
    }
};

class UnitDevice : public CountedDevice {
public:
    explicit UnitDevice(EmulatedHidAccess::Entry& entry)
        : CountedDevice(entry), unit_(*entry.unit), generation_(unit_.generation())
    {
    }
    int inputReportLength() override { return unit_.options().reportLength; }
    int outputReportLength() override { return unit_.options().reportLength; }
    int sendFeatureReport(const std::uint8_t* data, std::size_t length) override
    {
        return unit_.hostFeature(generation_, data, length);
    }
    int write(const std::uint8_t* data, std::size_t length) override
    {
        return unit_.hostWrite(generation_, data, length);
    }
    ReadOutcome read(std::uint8_t* buffer, std::size_t capacity, int timeoutMs, std::size_t& received) override
    {
        return unit_.hostRead(generation_, buffer, capacity, timeoutMs, received);
    }

private:
    EmulatedUnit& unit_;
    int generation_;
};

} // namespace

void EmulatedHidAccess::addUnit(const std::string& path, EmulatedUnit& unit)
{
    entries_.push_back({path, 0x04B4, 0x5500, &unit, true});
}

void EmulatedHidAccess::addOtherDevice(const std::string& path, std::uint16_t vendorId, std::uint16_t productId)
{
    entries_.push_back({path, vendorId, productId, nullptr, true});
}

void EmulatedHidAccess::addUnopenable(const std::string& path, std::uint16_t vendorId, std::uint16_t productId)
{
    entries_.push_back({path, vendorId, productId, nullptr, false});
}

std::vector<HidDeviceInfo> EmulatedHidAccess::enumerate(std::uint16_t, std::uint16_t)
{
    ++enumerations_;
    std::vector<HidDeviceInfo> list;
    for (Entry& e : entries_) {
        if (e.unit && !e.unit->pluggedIn())
            continue;
        list.push_back({e.path, e.vendorId, e.productId});
    }
    return list;
}

std::unique_ptr<HidDevice> EmulatedHidAccess::open(const std::string& path)
{
    Entry* e = find(path);
    if (!e || !e->openable || (e->unit && !e->unit->pluggedIn()))
        return nullptr;
    if (e->unit)
        return std::make_unique<UnitDevice>(*e);
    return std::make_unique<OtherDevice>(*e);
}

EmulatedHidAccess::Entry* EmulatedHidAccess::find(const std::string& path)
{
    for (Entry& e : entries_)
        if (e.path == path)
            return &e;
    return nullptr;
}

const EmulatedHidAccess::Entry* EmulatedHidAccess::find(const std::string& path) const
{
    for (const Entry& e : entries_)
        if (e.path == path)
            return &e;
    return nullptr;
}

int EmulatedHidAccess::opens(const std::string& path) const
{
    const Entry* e = find(path);
    return e ? e->opens : 0;
}

int EmulatedHidAccess::closes(const std::string& path) const
{
    const Entry* e = find(path);
    return e ? e->closes : 0;
}

int EmulatedHidAccess::openHandles() const
{
    int open = 0;
    for (const Entry& e : entries_)
        open += e.opens - e.closes;
    return open;
}
