#include "device/device_link.h"
#include "emulator/emulated_hid.h"
#include "support/read_driver.h"
#include "support/recording_status.h"
#include "support/scripted_hid.h"

#include <gtest/gtest.h>

namespace {

struct Transfer {
    VirtualClock clock;
    ScriptedHid hid{clock};
    RecordingStatus status;
    DeviceLink link;
    DeviceContext device{link, hid, status, clock, {}};
    ReceiveRing ring;

    void read() { ReadWholeCall(device, ring, clock); }
};

std::vector<std::uint8_t> Report(std::uint8_t count, std::vector<std::uint8_t> data)
{
    std::vector<std::uint8_t> r(std::max<std::size_t>(data.size() + 2, 9), 0);
    r[1] = count;
    std::copy(data.begin(), data.end(), r.begin() + 2);
    return r;
}

TEST(ReadTimerReport, CountByteDecidesWhatIsAppended)
{
    struct Case {
        std::uint8_t count;
        int appended;
    };
    for (const Case c : {Case{0, 0}, Case{8, 0}, Case{3, 3}, Case{7, 7}, Case{0xFF, 7}, Case{0x0A, 2}}) {
        SCOPED_TRACE("count byte " + std::to_string(c.count));
        Transfer t;
        t.hid.completes(Report(c.count, {11, 12, 13, 14, 15, 16, 17}));
        t.read();
        EXPECT_EQ(t.ring.ReceivedByteCount, c.appended);
        EXPECT_EQ(t.ring.RingWritePos, c.appended);
        if (c.appended > 0) {
            EXPECT_EQ(t.ring.bytes[1], 11);
            EXPECT_EQ(t.ring.bytes[static_cast<std::size_t>(c.appended)], 10 + c.appended);
        }
    }
}

TEST(ReadTimerReport, ShortReportAppendsOnlyWhatItHolds)
{
    Transfer t;
    t.hid.completes({0, 7, 21, 22, 23});
    t.read();
    EXPECT_EQ(t.ring.ReceivedByteCount, 3);
    EXPECT_EQ(t.ring.bytes[3], 23);
}

TEST(ReadTimerReport, RingWrapsAfter511AndCountsEveryByte)
{
    Transfer t;
    for (int k = 0; k < 80; ++k)
        t.hid.completes(Report(7, {1, 2, 3, 4, 5, 6, static_cast<std::uint8_t>(k)}));
    t.read();
    t.read();
    // 80 reports of 7 bytes: positions 1..511, then 0.. onwards.
    EXPECT_EQ(t.ring.RingWritePos, (80 * 7) % 512);
    // Byte 512 overall, the first of report 73, lands at 0; report 73's last at 6.
    EXPECT_EQ(t.ring.bytes[0], 1);
    EXPECT_EQ(t.ring.bytes[6], 73);
    EXPECT_EQ(t.ring.ReceivedByteCount, 40 * 7);
}

TEST(ReadTimerReport, FortyCompletedReadsAreCommunicationOk)
{
    Transfer t;
    t.read();
    EXPECT_EQ(t.hid.script.reads, 40);
    EXPECT_EQ(t.status.last(), "USB Communication OK");
    EXPECT_TRUE(t.link.DeviceConnected);
    EXPECT_FALSE(t.link.pendingRead.inProgress);
}

TEST(ReadTimerReport, TimeoutOnTheFirstReadClosesTheLink)
{
    Transfer t;
    t.hid.then(ReadOutcome::TimedOut);
    t.read();
    EXPECT_EQ(t.ring.ReceivedByteCount, 0);
    EXPECT_EQ(t.status.last(), "Readfile Timeout ");
    EXPECT_EQ(t.clock.nowUs(), 500000);
    EXPECT_FALSE(t.link.DeviceConnected);
    EXPECT_EQ(t.hid.script.closes, 1);
    // The next call searches and opens again.
    t.read();
    EXPECT_EQ(t.hid.script.opens, 2);
    EXPECT_EQ(t.status.captions[t.status.captions.size() - 2], "USB Connected ");
}

TEST(ReadTimerReport, TimeoutAfterSomeReadsKeepsTheirBytes)
{
    Transfer t;
    t.hid.completes(Report(2, {9, 8}));
    t.hid.completes(Report(1, {7}));
    t.hid.then(ReadOutcome::TimedOut);
    t.read();
    EXPECT_EQ(t.ring.ReceivedByteCount, 3);
    EXPECT_EQ(t.status.last(), "Readfile Timeout ");
    EXPECT_FALSE(t.link.DeviceConnected);
}

TEST(ReadTimerReport, EndingsOtherThanATimeout)
{
    struct Case {
        const char* name;
        ReadOutcome outcome;
        const char* caption;
    };
    for (const Case c : {Case{"failed wait", ReadOutcome::Failed, "Readfile Undefined Error"},
                         Case{"unit gone", ReadOutcome::Gone, "Readfile Timeout "}}) {
        SCOPED_TRACE(c.name);
        Transfer t;
        t.hid.completes(Report(1, {5}));
        t.hid.then(c.outcome);
        t.read();
        EXPECT_EQ(t.status.last(), c.caption);
        EXPECT_EQ(t.ring.ReceivedByteCount, 1);
        EXPECT_FALSE(t.link.DeviceConnected);
        EXPECT_EQ(t.hid.script.closes, 1);
        // Told at once, not after the wait.
        EXPECT_EQ(t.clock.nowUs(), 0);
    }
}

TEST(ReadTimerReport, AbsentUnitAppendsNothing)
{
    Transfer t;
    t.hid.present = false;
    t.read();
    EXPECT_EQ(t.status.last(), "USB Not Found ");
    EXPECT_EQ(t.ring.ReceivedByteCount, 0);
    EXPECT_EQ(t.hid.script.reads, 0);
}

TEST(ReadTimerReport, ACallStopsWhereItWouldWaitAndGoesOnFromThere)
{
    Transfer t;
    t.hid.completes(Report(2, {1, 2}));
    t.hid.then(ReadOutcome::TimedOut); // silent for a while
    t.ring.ReceivedByteCount = 0;
    EXPECT_EQ(StartReadTimerReport(t.device, t.ring), ReportReadProgress::WaitingForReport);
    EXPECT_EQ(t.ring.ReceivedByteCount, 2);
    EXPECT_EQ(t.link.pendingRead.completedReads, 1);
    EXPECT_EQ(t.link.pendingRead.waitDeadlineUs, 500000);
    EXPECT_TRUE(t.status.captions.size() == 1); // only "USB Connected " so far

    // Woken early: still nothing, so it waits on, with the same deadline.
    t.clock.advanceUs(200000);
    EXPECT_EQ(ContinueReadTimerReport(t.device, t.ring), ReportReadProgress::WaitingForReport);
    EXPECT_EQ(t.link.pendingRead.waitDeadlineUs, 500000);

    t.clock.advanceUs(300000);
    EXPECT_EQ(ContinueReadTimerReport(t.device, t.ring), ReportReadProgress::Finished);
    EXPECT_EQ(t.status.last(), "Readfile Timeout ");
    // Nothing of the call is left over.
    EXPECT_FALSE(t.link.pendingRead.inProgress);
    EXPECT_EQ(ContinueReadTimerReport(t.device, t.ring), ReportReadProgress::Finished);
}

TEST(WriteTimerReport, BuildsTheOutputReport)
{
    struct Case {
        int outputLength;
        std::size_t sent;
    };
    for (const Case c : {Case{9, 9}, Case{2, 3}, Case{0, 3}, Case{65, 65}}) {
        SCOPED_TRACE("output length " + std::to_string(c.outputLength));
        Transfer t;
        t.hid.script.outputLength = c.outputLength;
        WriteTimerReport(t.device, 151);
        ASSERT_EQ(t.hid.script.written.size(), 1u);
        const auto& r = t.hid.script.written[0];
        EXPECT_EQ(r.size(), c.sent);
        EXPECT_EQ(r[0], 0);
        EXPECT_EQ(r[1], 1);
        EXPECT_EQ(r[2], 151);
        EXPECT_TRUE(std::all_of(r.begin() + 3, r.end(), [](auto b) { return b == 0; }));
    }
}

TEST(WriteTimerReport, AbsentUnitDropsTheCommand)
{
    Transfer t;
    t.hid.present = false;
    WriteTimerReport(t.device, 141);
    EXPECT_EQ(t.status.last(), "USB Not Found ");
    t.hid.present = true;
    t.read();
    EXPECT_TRUE(t.hid.script.written.empty());
}

TEST(CloseTimerDevice, ClosesOnceAndLeavesTheFlag)
{
    Transfer t;
    EXPECT_TRUE(OpenTimerDevice(t.device));
    CloseTimerDevice(t.link);
    CloseTimerDevice(t.link);
    EXPECT_EQ(t.hid.script.closes, 1);
    EXPECT_TRUE(t.link.DeviceConnected);
}

TEST(CloseTimerDevice, TransfersAfterTheCloseDoNothing)
{
    Transfer t;
    t.hid.completes(Report(2, {1, 2}));
    t.hid.then(ReadOutcome::TimedOut);
    ASSERT_EQ(StartReadTimerReport(t.device, t.ring), ReportReadProgress::WaitingForReport);
    CloseTimerDevice(t.link);
    const auto captions = t.status.captions;
    const int reads = t.hid.script.reads;

    // A click queued behind "Exit", and the read that was waiting.
    WriteTimerReport(t.device, 151);
    EXPECT_EQ(ContinueReadTimerReport(t.device, t.ring), ReportReadProgress::Finished);
    EXPECT_EQ(StartReadTimerReport(t.device, t.ring), ReportReadProgress::Finished);

    EXPECT_TRUE(t.hid.script.written.empty());
    EXPECT_EQ(t.hid.script.reads, reads);
    EXPECT_EQ(t.hid.script.opens, 1);
    EXPECT_EQ(t.status.captions, captions);
}

// The link on the emulated unit, on a virtual clock.
struct EmulatedLink {
    explicit EmulatedLink(int records) : unit(clock, std::vector<TimerRecordBytes>(static_cast<std::size_t>(records)))
    {
        hid.addUnit("unit", unit);
    }
    void read() { ReadWholeCall(device, ring, clock, [this] { return unit.nextReportDueUs(); }); }

    VirtualClock clock;
    EmulatedUnit unit;
    EmulatedHidAccess hid;
    RecordingStatus status;
    DeviceLink link;
    DeviceContext device{link, hid, status, clock, {}};
    ReceiveRing ring;
};

TEST(DeviceLinkWithEmulatedUnit, DownloadAndUnplug)
{
    EmulatedLink e(10);
    WriteTimerReport(e.device, 151);
    EXPECT_EQ(e.unit.commandCount(151), 1);
    e.read();
    EXPECT_EQ(e.ring.ReceivedByteCount, 40 * 7);
    EXPECT_EQ(e.status.last(), "USB Communication OK");
    // Each report was awaited for its own slot.
    EXPECT_EQ(e.clock.nowUs(), 40 * 10000);

    e.unit.unplugAfterReports(5);
    e.read();
    EXPECT_EQ(e.ring.ReceivedByteCount, 5 * 7);
    EXPECT_EQ(e.status.last(), "Readfile Timeout ");
    e.read();
    EXPECT_EQ(e.status.last(), "USB Not Found ");
    e.unit.plugIn();
    e.read();
    EXPECT_EQ(e.status.captions[e.status.captions.size() - 2], "USB Connected ");
    EXPECT_EQ(e.status.last(), "USB Communication OK");
}

TEST(DeviceLinkWithEmulatedUnit, EmptyReportsWaitingUnreadGiveWayButDataIsKept)
{
    EmulatedLink e(3);
    ASSERT_TRUE(OpenTimerDevice(e.device));
    // A second of idle reports, then the answer, all before the next read.
    e.clock.advanceUs(1000000);
    WriteTimerReport(e.device, 151);
    e.clock.advanceUs(1000000);
    e.ring.ReceivedByteCount = 0;
    // 200 report slots have passed, but only the 17 reports of the 3 frames
    // and the newest empty report wait in the queue.
    EXPECT_EQ(StartReadTimerReport(e.device, e.ring), ReportReadProgress::WaitingForReport);
    EXPECT_EQ(e.ring.ReceivedByteCount, 3 * 38);
    EXPECT_EQ(e.link.pendingRead.completedReads, 17 + 1);
}

} // namespace
