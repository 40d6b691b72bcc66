// The hidapi layer's reader, queue and kept-open interfaces, with a fake
// hidapi linked in place of the real one and the USB side stood in for.
#include "device/device_link.h"
#include "support/fake_hidapi/fake_hidapi.h"
#include "device/hidapi_access.h"
#include "support/read_driver.h"
#include "support/recording_status.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;

class HidapiLayer : public ::testing::Test {
protected:
    void SetUp() override { fake_hidapi::Reset(); }
    void TearDown() override { EXPECT_EQ(fake_hidapi::OpenDevices(), 0) << "an interface was left open"; }

    HidapiPlatformSide platformSide(ReportLengths lengths = {}, bool udev = false)
    {
        HidapiPlatformSide side;
        side.reportLengths = [lengths](const std::string&) { return lengths; };
        side.whyNotOpened = [](const std::string&) { return OpenFailure::NoPermission; };
        side.hearsOfNewDevices = [udev] { return udev; };
        return side;
    }

    std::unique_ptr<HidDevice> openTheUnit(HidapiAccess& hid)
    {
        const auto list = hid.enumerate(0x04B4, 0x5500);
        EXPECT_EQ(list.size(), 1u);
        return list.empty() ? nullptr : hid.open(list[0].path);
    }

    VirtualClock clock;
};

// Reads everything queued, giving up at the first read that finds none in time.
std::vector<int> Drain(HidDevice& device, int timeoutMs)
{
    std::vector<int> numbers;
    std::uint8_t buffer[9];
    std::size_t received = 0;
    while (device.read(buffer, sizeof buffer, timeoutMs, received) == ReadOutcome::Completed) {
        EXPECT_EQ(received, 9u);
        EXPECT_EQ(buffer[0], 0); // the report-id byte put in front
        EXPECT_EQ(buffer[1], 7);
        numbers.push_back(buffer[2] | (buffer[3] << 8));
    }
    return numbers;
}

TEST_F(HidapiLayer, KeepsThreeHundredReportsWhileTheCallerIsBusy)
{
    HidapiAccess hid(clock, platformSide());
    auto device = openTheUnit(hid);
    ASSERT_TRUE(device);
    // As fast as the fastest unit; the backend's 32 reports last the reader 32 ms.
    fake_hidapi::Start({.reports = 300, .intervalUs = 1000});
    // Busy for far longer than the 300 reports take to arrive.
    std::this_thread::sleep_for(500ms);
    const std::vector<int> numbers = Drain(*device, 200);
    // Every report the backend handed over is kept, in order.
    ASSERT_EQ(numbers.size() + static_cast<std::size_t>(fake_hidapi::ReportsDroppedByBackend()), 300u);
    for (std::size_t i = 1; i < numbers.size(); ++i)
        ASSERT_LT(numbers[i - 1], numbers[i]);
#ifndef __SANITIZE_THREAD__
    // And the reader keeps up with the fastest unit; under ThreadSanitizer,
    // which slows every thread many times over, the backend's 32 reports
    // may run out first on a busy machine.
    ASSERT_EQ(numbers.size(), 300u);
    for (int i = 0; i < 300; ++i)
        ASSERT_EQ(numbers[static_cast<std::size_t>(i)], i);
#endif
}

TEST_F(HidapiLayer, ZeroLengthPacketsAreNeitherReportsNorTimeouts)
{
    HidapiAccess hid(clock, platformSide());
    auto device = openTheUnit(hid);
    ASSERT_TRUE(device);
    fake_hidapi::Start({.reports = 3, .intervalUs = 20000, .zeroLengthPackets = true});
    const std::vector<int> numbers = Drain(*device, 200);
    EXPECT_EQ(numbers, (std::vector<int>{0, 1, 2}));
}

TEST_F(HidapiLayer, AReadWaitsOnlyWhenAskedTo)
{
    HidapiAccess hid(clock, platformSide());
    auto device = openTheUnit(hid);
    ASSERT_TRUE(device);
    std::uint8_t buffer[9];
    std::size_t received = 5;
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(device->read(buffer, sizeof buffer, 0, received), ReadOutcome::TimedOut);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 50ms);
    EXPECT_EQ(received, 0u);
    start = std::chrono::steady_clock::now();
    EXPECT_EQ(device->read(buffer, sizeof buffer, 60, received), ReadOutcome::TimedOut);
    EXPECT_GE(std::chrono::steady_clock::now() - start, 60ms);
}

TEST_F(HidapiLayer, AListenerHearsOfReportsOnTheReaderThread)
{
    HidapiAccess hid(clock, platformSide());
    auto device = openTheUnit(hid);
    ASSERT_TRUE(device);
    std::atomic<int> told{0};
    const auto self = std::this_thread::get_id();
    std::atomic<bool> sameThread{false};
    device->setReportListener([&](QueueEvent) {
        ++told;
        sameThread = sameThread || std::this_thread::get_id() == self;
    });
    fake_hidapi::Start({.reports = 1, .intervalUs = 1000});
    std::uint8_t buffer[9];
    std::size_t received = 0;
    EXPECT_EQ(device->read(buffer, sizeof buffer, 2000, received), ReadOutcome::Completed);
    EXPECT_GE(told.load(), 1);
    EXPECT_FALSE(sameThread.load());
}

TEST_F(HidapiLayer, AUnitThatGoesLeavesItsReportsThenEndsEveryReadAtOnce)
{
    HidapiAccess hid(clock, platformSide());
    auto device = openTheUnit(hid);
    ASSERT_TRUE(device);
    fake_hidapi::Start({.reports = 5, .intervalUs = 100, .failAfterLast = true});
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(Drain(*device, 100).size(), 5u);
    std::uint8_t buffer[9];
    std::size_t received = 0;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(device->read(buffer, sizeof buffer, 500, received), ReadOutcome::Gone);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 250ms);
    // The link lets go of it: closed for real at once.
    device.reset();
    EXPECT_EQ(fake_hidapi::OpenDevices(), 0);
}

TEST_F(HidapiLayer, ReportLengthsFromTheUsbSideOrTheUnitsOwn)
{
    struct Case {
        const char* name;
        ReportLengths usb;
        int input, output;
    };
    for (const Case c : {Case{"descriptors read", {65, 65}, 65, 65}, Case{"nothing known", {0, 0}, 9, 9}}) {
        SCOPED_TRACE(c.name);
        HidapiAccess hid(clock, platformSide(c.usb));
        auto device = openTheUnit(hid);
        ASSERT_TRUE(device);
        std::uint16_t vendor = 0;
        std::uint16_t product = 0;
        EXPECT_TRUE(device->attributes(vendor, product));
        EXPECT_EQ(vendor, 0x04B4);
        EXPECT_EQ(product, 0x5500);
        EXPECT_EQ(device->inputReportLength(), c.input);
        EXPECT_EQ(device->outputReportLength(), c.output);
    }
}

TEST_F(HidapiLayer, AnInterfaceThatCannotBeOpenedSaysWhy)
{
    HidapiAccess hid(clock, platformSide());
    fake_hidapi::SetOpenable(false);
    EXPECT_EQ(hid.open("1-1:1.0"), nullptr);
    EXPECT_EQ(hid.lastOpenFailure(), OpenFailure::NoPermission);
}

TEST_F(HidapiLayer, TheInterfaceStaysOpenWhileTheLinkClosesAndKeepsWhatCameMeanwhile)
{
    HidapiAccess hid(clock, platformSide());
    auto device = openTheUnit(hid);
    ASSERT_TRUE(device);
    device.reset(); // the link closes after a read that waited in vain
    fake_hidapi::Start({.reports = 4, .intervalUs = 1000});
    std::this_thread::sleep_for(50ms);
    device = openTheUnit(hid);
    ASSERT_TRUE(device);
    EXPECT_EQ(Drain(*device, 100), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(fake_hidapi::PhysicalOpens(), 1);
    EXPECT_EQ(hid.openInterfaces(), 1);
    device.reset();
}

TEST_F(HidapiLayer, AnInterfaceUnusedForAWhileIsClosedForReal)
{
    HidapiAccess hid(clock, platformSide());
    openTheUnit(hid).reset();
    clock.advanceUs(HidapiAccess::KeepOpenUs - 1);
    hid.enumerate(0x04B4, 0x5500);
    EXPECT_EQ(fake_hidapi::OpenDevices(), 1);
    clock.advanceUs(1);
    hid.enumerate(0x04B4, 0x5500);
    EXPECT_EQ(fake_hidapi::OpenDevices(), 0);
}

TEST_F(HidapiLayer, AnInterfaceNoLongerListedIsClosedAndTheAccessClosesTheRest)
{
    {
        HidapiAccess hid(clock, platformSide());
        openTheUnit(hid).reset();
        fake_hidapi::SetPresent(false);
        EXPECT_TRUE(hid.enumerate(0x04B4, 0x5500).empty());
        EXPECT_EQ(fake_hidapi::OpenDevices(), 0);
        fake_hidapi::SetPresent(true);
        openTheUnit(hid).reset();
        EXPECT_EQ(fake_hidapi::OpenDevices(), 1);
    }
    EXPECT_EQ(fake_hidapi::OpenDevices(), 0);
}

TEST_F(HidapiLayer, TheLibraryStartsAfreshOnlyWhereItCannotHearOfNewDevices)
{
    struct Case {
        const char* name;
        bool udev;
        bool somethingOpen;
        bool restarts;
    };
    for (const Case c : {Case{"no udev daemon, nothing open", false, false, true},
                         Case{"no udev daemon, the unit kept open", false, true, false},
                         Case{"udev daemon running", true, false, false}}) {
        SCOPED_TRACE(c.name);
        fake_hidapi::Reset();
        HidapiAccess hid(clock, platformSide({}, c.udev));
        if (c.somethingOpen)
            openTheUnit(hid).reset();
        const int before = fake_hidapi::LibraryStarts();
        hid.enumerate(0x04B4, 0x5500);
        EXPECT_EQ(fake_hidapi::LibraryStarts() - before, c.restarts ? 1 : 0);
    }
}

// A unit that sends nothing while idle: every read call waits in vain and the
// link closes and opens again, on a virtual clock, for 12 seconds.
TEST_F(HidapiLayer, ASilentIdleUnitIsOpenedOnceThroughTheLink)
{
    HidapiAccess hid(clock, platformSide());
    RecordingStatus status;
    DeviceLink link;
    DeviceContext device{link, hid, status, clock, {}};
    ReceiveRing ring;
    int calls = 0;
    while (clock.nowUs() < 12'000'000) {
        ReadWholeCall(device, ring, clock);
        clock.advanceUs(250000);
        ++calls;
    }
    EXPECT_GE(calls, 15);
    EXPECT_EQ(std::count(status.captions.begin(), status.captions.end(), "Readfile Timeout "), calls);
    EXPECT_EQ(std::count(status.captions.begin(), status.captions.end(), "USB Connected "), calls);
    EXPECT_LE(fake_hidapi::PhysicalOpens(), 2);
    CloseTimerDevice(link);
}

} // namespace
