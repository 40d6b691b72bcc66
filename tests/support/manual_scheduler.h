#pragma once

#include "app/tick_scheduler.h"

#include <atomic>
#include <cstdint>
#include <functional>

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
    void cancel() override { request = Request::None; }
    void reportQueued(bool) override { ++reportsQueued; }

    bool pending() const { return request != Request::None; }
    // What the event loop would do when the time has come.
    void fire()
    {
        request = Request::None;
        if (resume_)
            resume_();
    }

private:
    std::function<void()> resume_;
};
