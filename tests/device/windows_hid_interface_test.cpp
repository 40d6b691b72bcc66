// The Windows side of the hidapi layer: what it makes of the capabilities and
// open errors hid.dll and the file system report, alone and under the hidapi
// layer (with the fake hidapi).
#include "device/hidapi_access.h"
#include "device/windows_hid_interface.h"
#include "support/fake_hidapi/fake_hidapi.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class FakeWindowsCalls : public WindowsHidCalls {
public:
    std::optional<ReportLengths> caps = ReportLengths{9, 9};
    unsigned long error = 0;
    std::vector<std::string> askedPaths;
    std::vector<int> inputBufferRequests;

    std::optional<ReportLengths> capabilities(const std::string& path) override
    {
        askedPaths.push_back(path);
        return caps;
    }
    unsigned long openError(const std::string& path) override
    {
        askedPaths.push_back(path);
        return error;
    }
    void setInputBuffers(hid_device_*, int count) override { inputBufferRequests.push_back(count); }
};

TEST(WindowsHidSide, ReportLengthsComeFromTheCapabilities)
{
    struct Case {
        const char* name;
        std::optional<ReportLengths> caps;
        int input, output;
    };
    const Case cases[] = {
        {"the unit", ReportLengths{9, 9}, 9, 9},
        {"a wider input report", ReportLengths{65, 9}, 65, 9},
        {"capabilities not readable", std::nullopt, 0, 0},
        {"no data bytes either way", ReportLengths{1, 0}, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeWindowsCalls calls;
        calls.caps = c.caps;
        const ReportLengths lengths = WindowsReportLengths(calls, "\\\\?\\hid#vid_04b4&pid_5500#1");
        EXPECT_EQ(lengths.input, c.input);
        EXPECT_EQ(lengths.output, c.output);
        EXPECT_EQ(calls.askedPaths, std::vector<std::string>{"\\\\?\\hid#vid_04b4&pid_5500#1"});
    }
}

TEST(WindowsHidSide, TheOpenErrorSaysWhyTheUnitCouldNotBeOpened)
{
    struct Case {
        const char* name;
        unsigned long error;
        OpenFailure why;
    };
    const Case cases[] = {
        {"another program holds it", WindowsError::SharingViolation, OpenFailure::Busy},
        {"access denied", WindowsError::AccessDenied, OpenFailure::NoPermission},
        {"gone meanwhile (file not found)", 2, OpenFailure::Other},
        {"opens now", 0, OpenFailure::Other},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeWindowsCalls calls;
        calls.error = c.error;
        EXPECT_EQ(WindowsOpenFailure(calls, "p"), c.why);
    }
}

class WindowsHidapiLayer : public ::testing::Test {
protected:
    void SetUp() override { fake_hidapi::Reset(); }
    void TearDown() override { EXPECT_EQ(fake_hidapi::OpenDevices(), 0); }
    VirtualClock clock;
    std::shared_ptr<FakeWindowsCalls> calls = std::make_shared<FakeWindowsCalls>();
};

TEST_F(WindowsHidapiLayer, EachInterfaceOpenedAsksForTwoHundredInputBuffersAndKeepsItsCapabilities)
{
    calls->caps = ReportLengths{9, 9};
    HidapiAccess hid(clock, WindowsPlatformSide(calls));
    const auto list = hid.enumerate(0x04B4, 0x5500);
    ASSERT_EQ(list.size(), 1u);
    auto device = hid.open(list[0].path);
    ASSERT_TRUE(device);
    EXPECT_EQ(device->inputReportLength(), 9);
    EXPECT_EQ(device->outputReportLength(), 9);
    EXPECT_EQ(calls->inputBufferRequests, std::vector<int>{WindowsInputBuffers});
    EXPECT_EQ(WindowsInputBuffers, 200);
    // Taken up again from the kept interface: not opened, not asked again.
    device.reset();
    device = hid.open(list[0].path);
    ASSERT_TRUE(device);
    EXPECT_EQ(calls->inputBufferRequests.size(), 1u);
    device.reset();
}

TEST_F(WindowsHidapiLayer, AUnitHeldByAnotherProgramIsBusyAndHidapiIsNotRestartedForNewUnits)
{
    calls->error = WindowsError::SharingViolation;
    HidapiAccess hid(clock, WindowsPlatformSide(calls));
    fake_hidapi::SetOpenable(false);
    const int starts = fake_hidapi::LibraryStarts();
    const auto list = hid.enumerate(0x04B4, 0x5500);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(hid.open(list[0].path), nullptr);
    EXPECT_EQ(hid.lastOpenFailure(), OpenFailure::Busy);
    // Windows lists units plugged in later without hidapi being started afresh.
    EXPECT_EQ(fake_hidapi::LibraryStarts(), starts);
}

} // namespace
