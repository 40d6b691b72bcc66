// The device search on a thread of its own: what the link sees of it, search
// by search, with the searches made slow enough to be caught running.
#include "device/background_search.h"
#include "device/device_link.h"
#include "device/device_port.h"
#include "emulator/emulated_hid.h"
#include "support/recording_status.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

// The emulated devices, each search taking a while on whatever thread runs it.
class SlowSearchAccess : public HidAccess {
public:
    explicit SlowSearchAccess(EmulatedHidAccess& devices) : devices_(devices) {}
    std::vector<HidDeviceInfo> enumerate(std::uint16_t vendorId, std::uint16_t productId) override
    {
        onThread = std::this_thread::get_id();
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        ++searches;
        return devices_.enumerate(vendorId, productId);
    }
    std::unique_ptr<HidDevice> open(const std::string& path) override { return devices_.open(path); }
    OpenFailure lastOpenFailure() const override { return devices_.lastOpenFailure(); }

    std::atomic<int> searches{0};
    std::atomic<std::thread::id> onThread;

private:
    EmulatedHidAccess& devices_;
};

struct Link {
    VirtualClock clock;
    EmulatedHidAccess devices;
    SlowSearchAccess slow{devices};
    BackgroundSearch search{slow};
    RecordingStatus status;
    DeviceLink link;
    DeviceContext device{link, search, status, clock, {}};
};

TEST(BackgroundSearch, TheFirstSearchIsMadeAtOnceAndLaterOnesOnAThreadOfTheirOwn)
{
    Link l;
    EmulatedUnit unit(l.clock);
    l.devices.addUnit("unit", unit);
    const auto first = l.search.search(TimerVendorId, TimerProductId);
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->size(), 1u);
    EXPECT_EQ(l.slow.onThread.load(), std::this_thread::get_id());

    // Nothing is ready while a search runs, and no second one is started.
    EXPECT_FALSE(l.search.search(TimerVendorId, TimerProductId).has_value());
    EXPECT_FALSE(l.search.search(TimerVendorId, TimerProductId).has_value());
    l.search.waitForSearch();
    EXPECT_EQ(l.slow.searches, 2);
    EXPECT_NE(l.slow.onThread.load(), std::this_thread::get_id());
    // Its list is handed back once; the call after starts the next search.
    const auto found = l.search.search(TimerVendorId, TimerProductId);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->at(0).path, "unit");
    EXPECT_FALSE(l.search.search(TimerVendorId, TimerProductId).has_value());
    l.search.waitForSearch();
    EXPECT_EQ(l.slow.searches, 3);
}

// The captions come in the described order: "USB Not Found " while the unit
// is away or the search is still going on, "USB Connected " at the first
// transfer after a search that found it.
TEST(BackgroundSearch, TheLinkFindsAUnitPluggedInAtTheTransferAfterTheSearch)
{
    Link l;
    EmulatedUnit unit(l.clock);
    EXPECT_FALSE(EnsureConnected(l.device));
    l.devices.addUnit("unit", unit);
    EXPECT_FALSE(EnsureConnected(l.device)); // starts a search
    l.search.waitForSearch();
    EXPECT_TRUE(EnsureConnected(l.device));
    EXPECT_EQ(l.link.DevicePath, "unit");
    EXPECT_TRUE(unit.configured());
    const std::vector<std::string> expected{"USB Not Found ", "USB Not Found ", "USB Not Found ", "USB Not Found ",
                                            "USB Connected "};
    EXPECT_EQ(l.status.captions, expected);
}

// A search still running says nothing of the units that cannot be opened: one
// is explained once, however many transfers find the search still going on.
TEST(BackgroundSearch, AUnitThatCannotBeOpenedIsExplainedOnceAcrossSearches)
{
    Link l;
    l.devices.addUnopenable("held", TimerVendorId, TimerProductId, OpenFailure::Busy);
    for (int transfer = 0; transfer < 6; ++transfer) {
        EXPECT_FALSE(EnsureConnected(l.device));
        if (transfer % 2)
            l.search.waitForSearch();
    }
    ASSERT_EQ(l.status.explained.size(), 1u);
    EXPECT_EQ(l.status.explained[0].second, OpenFailure::Busy);
}

// What a command sees while the search runs: neither the unit nor its
// absence, but a search to wait for.
TEST(BackgroundSearch, ACommandSeesASearchStillRunningApartFromNoUnit)
{
    Link l;
    EmulatedUnit unit(l.clock);
    l.devices.addUnit("unit", unit);
    ReceiveRing ring;
    DeviceUnitPort port(l.device, ring);
    EXPECT_EQ(port.reach(), UnitReach::Connected); // the first search, at once
    const auto dropLink = [&] {
        l.link.DeviceHandle.reset();
        l.link.DeviceConnected = false;
    };
    dropLink();
    EXPECT_EQ(port.reach(), UnitReach::Searching);
    EXPECT_FALSE(port.sendCommand(151));
    l.search.waitForSearch();
    EXPECT_EQ(port.reach(), UnitReach::Connected);

    dropLink();
    l.devices.remove("unit");
    EXPECT_EQ(port.reach(), UnitReach::Searching);
    l.search.waitForSearch();
    EXPECT_EQ(port.reach(), UnitReach::NotFound);
    CloseTimerDevice(l.link);
    EXPECT_EQ(port.reach(), UnitReach::NotFound);
}

} // namespace
