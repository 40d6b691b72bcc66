#pragma once

#include <chrono>
#include <cstdint>
#include <thread>

// Monotonic time in microseconds, and waiting for it to pass. A virtual
// clock lets tests run half-second waits at no cost.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int64_t nowUs() = 0;
    virtual void sleepUntilUs(std::int64_t t) = 0;
};

class SteadyClock : public Clock {
public:
    std::int64_t nowUs() override
    {
        return std::chrono::duration_cast<std::chrono::microseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
    void sleepUntilUs(std::int64_t t) override
    {
        const std::int64_t now = nowUs();
        if (t > now)
            std::this_thread::sleep_for(std::chrono::microseconds(t - now));
    }
};

class VirtualClock : public Clock {
public:
    std::int64_t nowUs() override { return now_; }
    void sleepUntilUs(std::int64_t t) override
    {
        if (t > now_)
            now_ = t;
    }
    void advanceUs(std::int64_t d) { now_ += d; }

private:
    std::int64_t now_ = 0;
};

// Waits until more than `us` have passed on a monotonic clock, so a wait
// that starts just before midnight ends like any other.
inline void WaitMoreThan(Clock& clock, std::int64_t us)
{
    const std::int64_t start = clock.nowUs();
    while (clock.nowUs() - start <= us)
        clock.sleepUntilUs(start + us + 1);
}
