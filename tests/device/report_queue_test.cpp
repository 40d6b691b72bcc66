#include "device/report_queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

using namespace std::chrono_literals;

// Reports whose first byte is 0 may be replaced, as the link's empty reports.
bool FirstByteZero(const std::uint8_t* r, std::size_t n) { return n > 0 && r[0] == 0; }

std::vector<int> PopAll(ReportQueue& q)
{
    std::vector<int> out;
    ReportQueue::Report r;
    while (q.tryPop(r) == ReportQueue::Pop::Report)
        out.push_back(r[1]);
    return out;
}

ReportQueue::Report Report(bool replaceable, int number)
{
    return {static_cast<std::uint8_t>(replaceable ? 0 : 1), static_cast<std::uint8_t>(number)};
}

TEST(ReportQueue, ReplaceableReportsGiveWayToNewerOnes)
{
    ReportQueue q;
    q.setReplaceable(&FirstByteZero);
    q.push(Report(false, 1));
    q.push(Report(true, 2));
    q.push(Report(true, 3));
    q.push(Report(false, 4));
    q.push(Report(true, 5));
    EXPECT_EQ(PopAll(q), (std::vector<int>{1, 4, 5}));
    // A lone replaceable report that was already read is not taken back.
    q.push(Report(true, 6));
    ReportQueue::Report r;
    ASSERT_EQ(q.tryPop(r), ReportQueue::Pop::Report);
    q.push(Report(false, 7));
    EXPECT_EQ(PopAll(q), (std::vector<int>{7}));
}

TEST(ReportQueue, WithoutAFilterEveryReportIsKept)
{
    ReportQueue q;
    for (int i = 0; i < 4; ++i)
        q.push(Report(true, i));
    EXPECT_EQ(PopAll(q), (std::vector<int>{0, 1, 2, 3}));
}

TEST(ReportQueue, DataReportsAreKeptInOrderUpToTheCapacity)
{
    ReportQueue q(3);
    for (int i = 0; i < 5; ++i)
        q.push(Report(false, i));
    EXPECT_EQ(q.dropped(), 2u);
    EXPECT_EQ(PopAll(q), (std::vector<int>{2, 3, 4}));
}

TEST(ReportQueue, WaitEndsWhenAReportArrives)
{
    ReportQueue q;
    std::thread producer([&] {
        std::this_thread::sleep_for(20ms);
        q.push(Report(false, 9));
    });
    ReportQueue::Report r;
    EXPECT_EQ(q.popUntil(r, std::chrono::steady_clock::now() + 5s), ReportQueue::Pop::Report);
    EXPECT_EQ(r[1], 9);
    producer.join();
}

TEST(ReportQueue, GoneIsToldOnlyOnceTheQueueIsDrainedAndEndsAWaitAtOnce)
{
    ReportQueue q;
    q.push(Report(false, 1));
    q.markGone();
    ReportQueue::Report r;
    EXPECT_EQ(q.tryPop(r), ReportQueue::Pop::Report);
    EXPECT_EQ(q.tryPop(r), ReportQueue::Pop::Gone);

    ReportQueue waiting;
    std::thread unplug([&] {
        std::this_thread::sleep_for(20ms);
        waiting.markGone();
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(waiting.popUntil(r, start + 5s), ReportQueue::Pop::Gone);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 4s);
    unplug.join();
    waiting.restart();
    EXPECT_EQ(waiting.tryPop(r), ReportQueue::Pop::Empty);
}

TEST(ReportQueue, TheListenerHearsOfEveryReportWithItsKindAndOfTheEnd)
{
    ReportQueue q;
    q.setReplaceable(&FirstByteZero);
    std::vector<QueueEvent> told;
    q.setListener([&](QueueEvent n) { told.push_back(n); });
    q.push(Report(false, 1));
    q.push(Report(true, 2));
    q.push(Report(true, 3)); // replaces the one before, and is told all the same
    q.markGone();
    EXPECT_EQ(told, (std::vector<QueueEvent>{QueueEvent::Report, QueueEvent::ReplaceableReport,
                                             QueueEvent::ReplaceableReport, QueueEvent::Gone}));
    q.setListener(nullptr);
    q.push(Report(false, 4));
    EXPECT_EQ(told.size(), 4u);
}

TEST(ReportQueue, ManyProducedReportsAllArriveAcrossThreads)
{
    ReportQueue q;
    std::atomic<int> told{0};
    q.setListener([&](QueueEvent) { ++told; });
    std::thread producer([&] {
        for (int i = 0; i < 2000; ++i)
            q.push({1, static_cast<std::uint8_t>(i & 0xFF), static_cast<std::uint8_t>(i >> 8)});
        q.markGone();
    });
    int next = 0;
    ReportQueue::Report r;
    for (;;) {
        const auto got = q.popUntil(r, std::chrono::steady_clock::now() + 5s);
        if (got != ReportQueue::Pop::Report)
            break;
        ASSERT_EQ(r[1] | (r[2] << 8), next);
        ++next;
    }
    producer.join();
    EXPECT_EQ(next, 2000);
    EXPECT_EQ(told.load(), 2001);
}

} // namespace
