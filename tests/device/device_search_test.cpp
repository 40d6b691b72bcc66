#include "device/device_link.h"
#include "emulator/emulated_hid.h"
#include "support/recording_status.h"

#include <gtest/gtest.h>

namespace {

struct Search {
    VirtualClock clock;
    EmulatedHidAccess hid;
    RecordingStatus status;
    DeviceLink link;
    DeviceContext device{link, hid, status, clock, {}};

    bool open()
    {
        const bool found = OpenTimerDevice(device);
        EXPECT_EQ(found, link.DeviceConnected);
        return found;
    }
};

TEST(OpenTimerDevice, EmptyListIsNotFound)
{
    Search s;
    EXPECT_FALSE(s.open());
    EXPECT_EQ(s.status.last(), "USB Not Found ");
    EXPECT_EQ(s.hid.openHandles(), 0);
}

TEST(OpenTimerDevice, OnlyTheUnitsHandleStaysOpen)
{
    Search s;
    EmulatedUnit unit(s.clock);
    s.hid.addOtherDevice("keyboard", 0x046D, 0xC31C);
    s.hid.addOtherDevice("same-vendor", 0x04B4, 0x1234);
    s.hid.addOtherDevice("same-product", 0x1234, 0x5500);
    s.hid.addUnopenable("held-by-system", 0x04B4, 0x5500);
    s.hid.addUnit("unit", unit);
    s.hid.addOtherDevice("mouse", 0x046D, 0xC077);

    EXPECT_TRUE(s.open());
    EXPECT_EQ(s.status.last(), "USB Connected ");
    EXPECT_EQ(s.link.DevicePath, "unit");
    EXPECT_EQ(s.hid.openHandles(), 1);
    for (const char* other : {"keyboard", "same-vendor", "same-product"}) {
        EXPECT_EQ(s.hid.opens(other), 1) << other;
        EXPECT_EQ(s.hid.closes(other), 1) << other;
    }
    EXPECT_EQ(s.hid.opens("mouse"), 0);
    EXPECT_EQ(s.link.InputReportLength, 9);
    EXPECT_EQ(s.link.OutputReportLength, 9);
    EXPECT_TRUE(unit.configured());
}

TEST(OpenTimerDevice, WrongIdsAndUnopenableCandidatesAreNotTheUnit)
{
    Search s;
    s.hid.addOtherDevice("same-vendor", 0x04B4, 0x5501);
    s.hid.addOtherDevice("same-product", 0x04B5, 0x5500);
    s.hid.addUnopenable("taken", 0x04B4, 0x5500);
    EXPECT_FALSE(s.open());
    EXPECT_EQ(s.hid.openHandles(), 0);
    EXPECT_EQ(s.status.last(), "USB Not Found ");
}

TEST(OpenTimerDevice, FirstOfTwoUnitsIsOpened)
{
    Search s;
    EmulatedUnit first(s.clock);
    EmulatedUnit second(s.clock);
    s.hid.addUnit("first", first);
    s.hid.addUnit("second", second);
    EXPECT_TRUE(s.open());
    EXPECT_EQ(s.link.DevicePath, "first");
    EXPECT_EQ(s.hid.opens("second"), 0);
}

TEST(OpenTimerDevice, UnopenableCandidateAfterAnEarlierSuccess)
{
    Search s;
    EmulatedUnit unit(s.clock);
    s.hid.addUnopenable("taken", 0x04B4, 0x5500);
    s.hid.addUnit("unit", unit);
    EXPECT_TRUE(s.open());
    CloseTimerDevice(s.link);
    EXPECT_TRUE(s.open());
    EXPECT_EQ(s.link.DevicePath, "unit");
    EXPECT_EQ(s.hid.openHandles(), 1);
    EXPECT_EQ(unit.featureReports(), 2);
}

TEST(OpenTimerDevice, StalledFeatureReportStillConnects)
{
    Search s;
    EmulatedUnit unit(s.clock, {}, {.featureStalls = true});
    s.hid.addUnit("unit", unit);
    EXPECT_TRUE(s.open());
    EXPECT_EQ(s.status.last(), "USB Connected ");
}

TEST(OpenTimerDevice, AUnitThatCannotBeOpenedIsExplainedOncePerPlugIn)
{
    Search s;
    s.hid.addOtherDevice("keyboard", 0x046D, 0xC31C);
    s.hid.addUnopenable("no-rule", 0x04B4, 0x5500, OpenFailure::NoPermission);
    s.hid.addUnopenable("other-maker", 0x1234, 0x5678, OpenFailure::NoPermission);
    for (int search = 0; search < 3; ++search) {
        EXPECT_FALSE(s.open());
        EXPECT_EQ(s.status.last(), "USB Not Found ");
    }
    ASSERT_EQ(s.status.explained.size(), 1u);
    EXPECT_EQ(s.status.explained[0].first, "no-rule");
    EXPECT_EQ(s.status.explained[0].second, OpenFailure::NoPermission);

    // Unplugged and plugged in again, now held by another program.
    s.hid.remove("no-rule");
    EXPECT_FALSE(s.open());
    s.hid.addUnopenable("no-rule", 0x04B4, 0x5500, OpenFailure::Busy);
    EXPECT_FALSE(s.open());
    ASSERT_EQ(s.status.explained.size(), 2u);
    EXPECT_EQ(s.status.explained[1].second, OpenFailure::Busy);
}

TEST(OpenTimerDevice, NothingIsExplainedWhenTheUnitIsFound)
{
    Search s;
    EmulatedUnit unit(s.clock);
    s.hid.addUnopenable("taken", 0x04B4, 0x5500, OpenFailure::Busy);
    s.hid.addUnit("unit", unit);
    EXPECT_TRUE(s.open());
    EXPECT_TRUE(s.status.explained.empty());
}

} // namespace
