#pragma once

#include "output/print_system.h"

#include <QObject>

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

signals:
    void finished(const PrintResult& result);

private:
    std::jthread worker_;
    bool running_ = false;
};
