#include "print/print_job.h"

PrintJob::~PrintJob()
{
    if (worker_.joinable()) {
        worker_.request_stop();
        worker_.join();
    }
}

bool PrintJob::stopWithin(std::chrono::milliseconds patience)
{
    if (!worker_.joinable())
        return true;
    worker_.request_stop();
    std::unique_lock lock(ended_->lock);
    return ended_->changed.wait_for(lock, patience, [this] { return ended_->ended; });
}

bool PrintJob::start(PrintSystem& system, PageLayout layout)
{
    if (running_)
        return false;
    running_ = true;
    if (worker_.joinable())
        worker_.join(); // the last job's thread, which has already handed back its result
    ended_->ended = false;
    worker_ = std::jthread([this, &system, layout = std::move(layout), ended = ended_](std::stop_token stop) {
        PrintResult result = system.printOnDefault(layout, stop);
        if (!stop.stop_requested())
            QMetaObject::invokeMethod(this, [this, result] {
                running_ = false;
                emit finished(result);
            }, Qt::QueuedConnection);
        const std::lock_guard lock(ended->lock);
        ended->ended = true;
        ended->changed.notify_all();
    });
    return true;
}
