#include "output/print_job.h"

PrintJob::~PrintJob()
{
    if (worker_.joinable()) {
        worker_.request_stop();
        worker_.join();
    }
}

bool PrintJob::start(PrintSystem& system, PageLayout layout)
{
    if (running_)
        return false;
    running_ = true;
    if (worker_.joinable())
        worker_.join(); // the last job's thread, which has already handed back its result
    worker_ = std::jthread([this, &system, layout = std::move(layout)](std::stop_token stop) {
        PrintResult result = system.printOnDefault(layout, stop);
        if (stop.stop_requested())
            return;
        QMetaObject::invokeMethod(this, [this, result] {
            running_ = false;
            emit finished(result);
        }, Qt::QueuedConnection);
    });
    return true;
}
