#pragma once

#include "app/tick_scheduler.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <utility>

// A scheduler the test drives: it only notes when the tick wants to go on.
class ManualTickScheduler : public TickScheduler {
public:
    enum class Request { None, At, Soon };

    Request request = Request::None;
    std::int64_t atUs = 0;
    std::atomic<int> reportsQueued{0};

    void setResume(std::function<void()> resume) override { resume_ = std::move(resume); }
    void resumeAt(std::int64_t us) override
    {
        request = Request::At;
        atUs = us;
    }
    void resumeSoon() override { request = Request::Soon; }
    void cancel() override
    {
        request = Request::None;
        step_ = nullptr;
    }
    void reportQueued(bool) override { ++reportsQueued; }
    void callAfter(std::int64_t us, std::function<void()> step) override
    {
        stepAfterUs = us;
        step_ = std::move(step);
    }

    bool pending() const { return request != Request::None; }
    // A later step waits for the clock to pass `stepAfterUs`.
    bool stepWaiting() const { return static_cast<bool>(step_); }
    std::int64_t stepAfterUs = 0;
    void runStep()
    {
        if (auto step = std::exchange(step_, nullptr))
            step();
    }
    // What the event loop would do when the time has come.
    void fire()
    {
        request = Request::None;
        if (resume_)
            resume_();
    }

private:
    std::function<void()> resume_;
    std::function<void()> step_;
};
