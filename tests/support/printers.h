#pragma once

#include "output/print_system.h"

#include <QPdfWriter>
#include <QString>

#include <chrono>
#include <condition_variable>
#include <mutex>

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
        QString why;
        if (!layout(pdf, &why))
            return {PrintOutcome::Failed, QStringLiteral("PDF"), why};
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
