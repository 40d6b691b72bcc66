#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

// Input reports handed from a device's reader thread to the user-interface
// thread. It holds far more than the operating system's own queue, so
// nothing is lost while the user-interface thread is busy.
//
// A report without data bytes only says the unit is alive, and a newer
// report says it again: an empty report is dropped once another arrives
// behind it. So a unit that reports faster than the poll reads can never
// bury a download behind a backlog of empty reports.
class ReportQueue {
public:
    using Report = std::vector<std::uint8_t>;
    static constexpr std::size_t DefaultCapacity = 65536;

    explicit ReportQueue(std::size_t capacity = DefaultCapacity) : capacity_(capacity) {}

    // `empty` marks a report that carries no data bytes.
    void push(Report report, bool empty = false);
    // Waits until a report is there or the deadline passes.
    bool popUntil(Report& report, std::chrono::steady_clock::time_point deadline);
    std::size_t dropped() const;

private:
    mutable std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<Report> reports_;
    bool lastIsEmpty_ = false;
    std::size_t capacity_;
    std::size_t dropped_ = 0;
};
