#pragma once

#include "print/print_system.h"

#include <QObject>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

// One print at a time, handed to the print system on a thread of its own;
// the result comes back on the thread that started it.
class PrintJob : public QObject {
    Q_OBJECT
public:
    explicit PrintJob(QObject* parent = nullptr) : QObject(parent) {}
    // Cuts the print system's waits short and waits for the thread.
    ~PrintJob() override;

    bool running() const { return running_; }
    // False when a job is still running.
    bool start(PrintSystem& system, PageLayout layout);
    // Cuts the print system's waits short and waits for it at most
    // `patience`: true when no job's thread is left running.
    bool stopWithin(std::chrono::milliseconds patience);

signals:
    void finished(const PrintResult& result);

private:
    // Set by the worker as it ends, whether or not its result is delivered.
    struct Ended {
        std::mutex lock;
        std::condition_variable changed;
        bool ended = true;
    };
    std::shared_ptr<Ended> ended_ = std::make_shared<Ended>();
    std::jthread worker_;
    bool running_ = false;
};
