#include "records/frame_scanner.h"
#include "records/poll_tick.h"
#include "support/poll_rig.h"
#include "support/ring_writer.h"
#include "emulator/timer_record.h"

#include <gtest/gtest.h>

#include <deque>
#include <utility>

namespace {

std::vector<std::uint8_t> Frame(int record)
{
    const auto f = EncodeFrame(9, static_cast<std::uint8_t>(record), MakeTimerRecord({.start = 1000u}));
    return {f.begin(), f.end()};
}

std::vector<std::uint8_t> Part(const std::vector<std::uint8_t>& bytes, std::size_t from, std::size_t to)
{
    return {bytes.begin() + static_cast<long>(from), bytes.begin() + static_cast<long>(to)};
}

TEST(PollTick, ATickThatReadsNothingDrawsNothingAndEnds)
{
    Poll p;
    p.poll.timerFired();
    EXPECT_FALSE(p.poll.tickInProgress());
    EXPECT_EQ(p.wakeups.take(), Asked::None);
    EXPECT_TRUE(p.display.refreshes.empty());
    EXPECT_EQ(p.stops, std::vector<bool>{true});
}

TEST(PollTick, BytesLeftInTheRingAreFiledByATickThatReadsNothing)
{
    Poll p;
    AppendToRing(p.ring, Frame(3));
    p.poll.timerFired();
    EXPECT_EQ(p.table().FiledFrameCount, 1);
    EXPECT_EQ(p.display.refreshes, std::vector<int>{3});
}

// A frame whose bytes came in two read calls is filed by the same tick: the
// tick reads on until a read brings nothing.
TEST(PollTick, ATickReadsOnUntilAReadBringsNothingThenRefreshesOnce)
{
    Poll p;
    const auto f = Frame(2);
    p.unit.calls = {ReadCall{{Part(f, 0, 20)}}, ReadCall{{Part(f, 20, 38)}}, ReadCall{}};
    p.poll.timerFired();
    EXPECT_FALSE(p.poll.tickInProgress());
    EXPECT_TRUE(p.unit.calls.empty());
    EXPECT_EQ(p.table().FiledFrameCount, 1);
    EXPECT_EQ(p.display.refreshes, std::vector<int>{2});
}

TEST(PollTick, AReadThatWouldWaitStopsTheTickUntilTheUnitsDeadlineAndResumingGoesOn)
{
    Poll p;
    const auto f = Frame(4);
    p.unit.calls = {ReadCall{{Part(f, 0, 10), Part(f, 10, 38)}}};
    p.poll.timerFired();
    EXPECT_TRUE(p.poll.tickInProgress());
    EXPECT_EQ(p.wakeups.take(), Asked::At);
    EXPECT_EQ(p.wakeups.atUs, p.unit.reportWaitDeadlineUs());
    // While it waits, only whole frames are in the table: none yet.
    EXPECT_EQ(p.table().FiledFrameCount, 0);
    EXPECT_TRUE(p.table().rowIsEmpty(4));
    p.poll.resume();
    EXPECT_FALSE(p.poll.tickInProgress());
    EXPECT_EQ(p.wakeups.take(), Asked::None);
    EXPECT_EQ(p.display.refreshes, std::vector<int>{4});
    EXPECT_EQ(p.stops, (std::vector<bool>{false, true}));
}

// A download is seen record by record: each record is drawn as soon as its
// frame is filed, while the tick still waits for the next report.
TEST(PollTick, EachRecordIsShownAsItIsFiledNotOnlyWhenTheTickEnds)
{
    Poll p;
    const auto one = Frame(1);
    const auto two = Frame(2);
    p.unit.calls = {ReadCall{{one, Part(two, 0, 30), Part(two, 30, 38)}}};
    p.poll.timerFired();
    EXPECT_EQ(p.display.filedShown, std::vector<int>{1});
    EXPECT_TRUE(p.display.refreshes.empty());
    p.poll.resume();
    EXPECT_EQ(p.display.filedShown, std::vector<int>{1});
    p.poll.resume();
    EXPECT_EQ(p.display.filedShown, (std::vector<int>{1, 2}));
    EXPECT_EQ(p.display.refreshes, std::vector<int>{2});
}

TEST(PollTick, LongWorkLetsTheEventLoopRunAndTheTickKeepsItsCount)
{
    Poll p;
    p.unit.usPerPiece = 6000; // each read of a frame costs 6 ms
    for (int r = 1; r <= 5; ++r)
        p.unit.calls.push_back(ReadCall{{Frame(r)}});
    p.poll.timerFired();
    // The slice of 15 ms ran out with records still to read.
    EXPECT_TRUE(p.poll.tickInProgress());
    EXPECT_EQ(p.wakeups.take(), Asked::Soon);
    EXPECT_GT(p.table().FiledFrameCount, 0);
    EXPECT_LT(p.table().FiledFrameCount, 5);
    EXPECT_TRUE(p.display.refreshes.empty());
    p.poll.resume();
    EXPECT_FALSE(p.poll.tickInProgress());
    EXPECT_EQ(p.table().FiledFrameCount, 5);
    EXPECT_EQ(p.display.refreshes, std::vector<int>{5});
}

// Timer1 firing during a tick: the next tick follows as soon as this one
// ends, unless the timer has been switched off meanwhile.
TEST(PollTick, Timer1DuringATickStartsTheNextOneWhenItEnds)
{
    for (const bool switchedOff : {false, true}) {
        SCOPED_TRACE(switchedOff ? "switched off meanwhile" : "still on");
        Poll p;
        const auto one = Frame(1);
        p.unit.calls = {ReadCall{{Part(one, 0, 10), Part(one, 10, 38)}}, ReadCall{}, ReadCall{{Frame(2)}}};
        p.poll.timerFired();
        p.wakeups.take();
        p.poll.timerFired();
        EXPECT_TRUE(p.table().rowIsEmpty(2));
        if (switchedOff)
            p.poll.forgetOverdue();
        p.poll.resume();
        EXPECT_EQ(p.display.refreshes, std::vector<int>{1});
        EXPECT_EQ(p.wakeups.take(), switchedOff ? Asked::None : Asked::Soon);
        p.poll.resume();
        EXPECT_EQ(p.table().rowIsEmpty(2), switchedOff);
    }
}

TEST(PollTick, StoppingATickLeavesTheUnitAndTheViewAlone)
{
    Poll p;
    p.unit.calls = {ReadCall{{Part(Frame(1), 0, 5), Part(Frame(1), 5, 38)}}};
    p.poll.timerFired();
    ASSERT_TRUE(p.poll.tickInProgress());
    p.poll.stop();
    EXPECT_FALSE(p.poll.tickInProgress());
    EXPECT_EQ(p.unit.abandoned, 1);
    // A wake-up asked before the stop finds nothing to go on with.
    p.poll.resume();
    EXPECT_EQ(p.unit.continued, 0);
    EXPECT_TRUE(p.display.refreshes.empty());
}

// The start-up read: one read call from the event loop, its bytes left in
// the ring unscanned.
TEST(PollTick, TheStartUpReadWaitsAsATicksReadsDoAndFilesNothing)
{
    Poll p;
    int done = 0;
    const auto f = Frame(3);
    p.unit.calls = {ReadCall{{Part(f, 0, 10), Part(f, 10, 38)}}};
    p.poll.readOnce([&] { ++done; });
    // Nothing is read before the event loop has turned.
    EXPECT_EQ(p.wakeups.take(), Asked::Soon);
    EXPECT_EQ(p.ring.bytesWritten, 0u);
    p.poll.resume();
    EXPECT_EQ(p.wakeups.take(), Asked::At);
    EXPECT_EQ(done, 0);
    p.poll.resume();
    EXPECT_EQ(done, 1);
    EXPECT_EQ(p.ring.bytesWritten, 38u);
    EXPECT_EQ(p.table().FiledFrameCount, 0);
    EXPECT_TRUE(p.stops.empty());

    // Stopped while it waits, it never says it is done.
    Poll q;
    q.unit.calls = {ReadCall{{Part(f, 0, 10), Part(f, 10, 38)}}};
    q.poll.readOnce([&] { ++done; });
    q.poll.resume();
    q.poll.stop();
    q.poll.resume();
    EXPECT_EQ(q.unit.abandoned, 1);
    EXPECT_EQ(done, 1);
}

} // namespace
