#include "fake_hidapi/fake_hidapi.h"
#include "hidapi_access.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

std::unique_ptr<HidDevice> OpenTheUnit(HidapiAccess& hid)
{
    const auto list = hid.enumerate(0x04B4, 0x5500);
    EXPECT_EQ(list.size(), 1u);
    return list.empty() ? nullptr : hid.open(list[0].path);
}

// Reads everything queued, giving up at the first wait that runs out.
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

TEST(HidapiQueue, KeepsThreeHundredReportsWhileTheCallerIsBusy)
{
    HidapiAccess hid;
    auto device = OpenTheUnit(hid);
    ASSERT_TRUE(device);
    fake_hidapi::Start({.reports = 300, .intervalUs = 200});
    // Busy for far longer than the 300 reports take to arrive.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const std::vector<int> numbers = Drain(*device, 200);
    ASSERT_EQ(numbers.size(), 300u);
    for (int i = 0; i < 300; ++i)
        ASSERT_EQ(numbers[static_cast<std::size_t>(i)], i);
    EXPECT_EQ(fake_hidapi::ReportsDroppedByBackend(), 0);
}

TEST(HidapiQueue, ZeroLengthPacketsAreNeitherReportsNorTimeouts)
{
    HidapiAccess hid;
    auto device = OpenTheUnit(hid);
    ASSERT_TRUE(device);
    fake_hidapi::Start({.reports = 3, .intervalUs = 20000, .zeroLengthPackets = true});
    const std::vector<int> numbers = Drain(*device, 200);
    EXPECT_EQ(numbers, (std::vector<int>{0, 1, 2}));
}

TEST(HidapiQueue, WaitRunsOutWhenNothingComes)
{
    HidapiAccess hid;
    auto device = OpenTheUnit(hid);
    ASSERT_TRUE(device);
    fake_hidapi::Start({.reports = 0});
    std::uint8_t buffer[9];
    std::size_t received = 5;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(device->read(buffer, sizeof buffer, 60, received), ReadOutcome::TimedOut);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(60));
    EXPECT_EQ(received, 0u);
}

TEST(HidapiQueue, DeviceGoneLeavesQueuedReportsThenTimesOut)
{
    HidapiAccess hid;
    auto device = OpenTheUnit(hid);
    ASSERT_TRUE(device);
    fake_hidapi::Start({.reports = 5, .intervalUs = 100, .failAfterLast = true});
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(Drain(*device, 100).size(), 5u);
    device.reset();
    EXPECT_EQ(fake_hidapi::OpenDevices(), 0);
}

TEST(HidapiQueue, FallbackReportLengthsAndIds)
{
    HidapiAccess hid;
    auto device = OpenTheUnit(hid);
    ASSERT_TRUE(device);
    std::uint16_t vendor = 0;
    std::uint16_t product = 0;
    EXPECT_TRUE(device->attributes(vendor, product));
    EXPECT_EQ(vendor, 0x04B4);
    EXPECT_EQ(product, 0x5500);
    // No such USB device on this machine's bus: the unit's own sizes.
    EXPECT_EQ(device->inputReportLength(), 9);
    EXPECT_EQ(device->outputReportLength(), 9);
}

} // namespace
