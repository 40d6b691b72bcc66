#include "emulator/emulated_hid.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

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
    void setReplaceableReports(ReportFilter) override {}
    void setReportListener(ReportListener) override {}
};

class UnitDevice : public CountedDevice {
public:
    explicit UnitDevice(EmulatedHidAccess::Entry& entry)
        : CountedDevice(entry), unit_(*entry.unit), generation_(unit_.generation())
    {
    }
    ~UnitDevice() override { unit_.queue().setListener(nullptr); }

    int inputReportLength() override { return unit_.reportLength(); }
    int outputReportLength() override { return unit_.reportLength(); }
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
    void setReplaceableReports(ReportFilter filter) override { unit_.queue().setReplaceable(std::move(filter)); }
    void setReportListener(ReportListener listener) override { unit_.queue().setListener(std::move(listener)); }

protected:
    EmulatedUnit& unit_;

private:
    int generation_;
};

// A unit whose reports arrive on their own, in real time.
class PacedUnitDevice : public UnitDevice {
public:
    explicit PacedUnitDevice(EmulatedHidAccess::Entry& entry) : UnitDevice(entry)
    {
        pacer_ = std::thread([this] { pace(); });
    }
    ~PacedUnitDevice() override
    {
        {
            std::lock_guard lock(mutex_);
            stop_ = true;
        }
        wake_.notify_all();
        pacer_.join();
    }

private:
    void pace()
    {
        using namespace std::chrono;
        std::unique_lock lock(mutex_);
        while (!stop_) {
            lock.unlock();
            unit_.catchUpNow();
            const std::int64_t due = unit_.nextReportDueUs();
            lock.lock();
            // A unit with nothing coming is looked at again now and then: a
            // command may start an answer.
            const std::int64_t left = due == EmulatedUnit::Never ? LookAgainUs : due - unit_.nowUs();
            wake_.wait_for(lock, microseconds(std::clamp<std::int64_t>(left, 0, LookAgainUs)), [this] { return stop_; });
        }
    }

    static constexpr std::int64_t LookAgainUs = 20000;

    std::mutex mutex_;
    std::condition_variable wake_;
    bool stop_ = false;
    std::thread pacer_;
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

void EmulatedHidAccess::addUnopenable(const std::string& path, std::uint16_t vendorId, std::uint16_t productId,
                                      OpenFailure why)
{
    entries_.push_back({path, vendorId, productId, nullptr, false, why});
}

void EmulatedHidAccess::remove(const std::string& path)
{
    if (Entry* e = find(path))
        e->listed = false;
}

std::vector<HidDeviceInfo> EmulatedHidAccess::enumerate(std::uint16_t, std::uint16_t)
{
    ++enumerations_;
    std::vector<HidDeviceInfo> list;
    for (Entry& e : entries_) {
        if (!e.listed || (e.unit && !e.unit->pluggedIn()))
            continue;
        list.push_back({e.path, e.vendorId, e.productId});
    }
    return list;
}

std::unique_ptr<HidDevice> EmulatedHidAccess::open(const std::string& path)
{
    Entry* e = find(path);
    lastFailure_ = OpenFailure::None;
    if (!e || !e->listed || !e->openable || (e->unit && !e->unit->pluggedIn())) {
        lastFailure_ = e && !e->openable ? e->whyNot : OpenFailure::Other;
        return nullptr;
    }
    if (!e->unit)
        return std::make_unique<OtherDevice>(*e);
    if (pacing_ == Pacing::RealTime)
        return std::make_unique<PacedUnitDevice>(*e);
    return std::make_unique<UnitDevice>(*e);
}

// The entry listed under the path now; a device removed and added again has a new one.
EmulatedHidAccess::Entry* EmulatedHidAccess::find(const std::string& path)
{
    Entry* found = nullptr;
    for (Entry& e : entries_)
        if (e.path == path && (!found || e.listed))
            found = &e;
    return found;
}

const EmulatedHidAccess::Entry* EmulatedHidAccess::find(const std::string& path) const
{
    return const_cast<EmulatedHidAccess*>(this)->find(path);
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
