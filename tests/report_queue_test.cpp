#include "report_queue.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

using namespace std::chrono_literals;

std::vector<int> PopAll(ReportQueue& q)
{
    std::vector<int> out;
    ReportQueue::Report r;
    while (q.popUntil(r, std::chrono::steady_clock::now()))
        out.push_back(r[0]);
    return out;
}

TEST(ReportQueue, EmptyReportsGiveWayToNewerOnes)
{
    ReportQueue q;
    q.push({1}, false);
    q.push({2}, true);
    q.push({3}, true);
    q.push({4}, false);
    q.push({5}, true);
    EXPECT_EQ(PopAll(q), (std::vector<int>{1, 4, 5}));
    // A lone empty report that was already read is not taken back.
    q.push({6}, true);
    ReportQueue::Report r;
    ASSERT_TRUE(q.popUntil(r, std::chrono::steady_clock::now()));
    q.push({7}, false);
    EXPECT_EQ(PopAll(q), (std::vector<int>{7}));
}

TEST(ReportQueue, DataReportsAreKeptInOrderUpToTheCapacity)
{
    ReportQueue q(3);
    for (int i = 0; i < 5; ++i)
        q.push({static_cast<std::uint8_t>(i)});
    EXPECT_EQ(q.dropped(), 2u);
    EXPECT_EQ(PopAll(q), (std::vector<int>{2, 3, 4}));
}

TEST(ReportQueue, WaitEndsWhenAReportArrives)
{
    ReportQueue q;
    std::thread producer([&] {
        std::this_thread::sleep_for(20ms);
        q.push({9});
    });
    ReportQueue::Report r;
    EXPECT_TRUE(q.popUntil(r, std::chrono::steady_clock::now() + 5s));
    EXPECT_EQ(r[0], 9);
    producer.join();
}

} // namespace
