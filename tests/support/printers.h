#pragma once

#include "print/print_system.h"

#include <QPdfWriter>
#include <QString>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

// A print system with no default printer.
class NoPrinter : public PrintSystem {
public:
    PrintResult printOnDefault(const PageLayout&, std::stop_token) override
    {
        return {PrintOutcome::NoPrinter, {}, {}};
    }
};

// A default printer that prints into a PDF file.
class PdfPrinter : public PrintSystem {
public:
    explicit PdfPrinter(const QString& file) : file_(file) {}
    PrintResult printOnDefault(const PageLayout& layout, std::stop_token) override
    {
        QPdfWriter pdf(file_);
        pdf.setResolution(1200);
        PrintFailure why = PrintFailure::Unknown;
        if (!layout(pdf, &why))
            return {PrintOutcome::Failed, QStringLiteral("PDF"), {}, why};
        return {PrintOutcome::Sent, QStringLiteral("PDF"), {}};
    }

private:
    QString file_;
};

// A print system that does not answer until it is let go, or the job is
// stopped.
class SilentPrinter : public PrintSystem {
public:
    PrintResult printOnDefault(const PageLayout&, std::stop_token stop) override
    {
        // Looks at the stop token every few milliseconds instead of waking on
        // it: winpthreads (the Windows build, under wine) now and then loses
        // the wake-up of a stop request, and the wait would never end.
        std::unique_lock lock(mutex_);
        while (!woken_.wait_for(lock, std::chrono::milliseconds(5), [this] { return letGo_; })) {
            if (stop.stop_requested()) {
                stopped_ = true;
                break;
            }
        }
        return {PrintOutcome::NotAnswering, QStringLiteral("Front desk"), {}};
    }
    void letGo()
    {
        {
            std::lock_guard lock(mutex_);
            letGo_ = true;
        }
        woken_.notify_all();
    }

    // The wait ended because the job was stopped.
    bool stopped()
    {
        std::lock_guard lock(mutex_);
        return stopped_;
    }

private:
    std::mutex mutex_;
    std::condition_variable woken_;
    bool stopped_ = false;
    bool letGo_ = false;
};

// A print system that hangs and does not listen to a stop, as drawing pages
// on a Windows spooler that hangs does. It gives up after `hang`.
class DeafPrinter : public PrintSystem {
public:
    explicit DeafPrinter(std::chrono::milliseconds hang) : hang_(hang) {}
    PrintResult printOnDefault(const PageLayout&, std::stop_token) override
    {
        {
            std::lock_guard lock(mutex_);
            called_ = true;
        }
        calledChanged_.notify_all();
        std::this_thread::sleep_for(hang_);
        return {PrintOutcome::Sent, QStringLiteral("Front desk"), {}};
    }
    void waitUntilCalled()
    {
        std::unique_lock lock(mutex_);
        while (!calledChanged_.wait_for(lock, std::chrono::milliseconds(5), [this] { return called_; })) {
        }
    }

private:
    std::chrono::milliseconds hang_;
    std::mutex mutex_;
    std::condition_variable calledChanged_;
    bool called_ = false;
};
