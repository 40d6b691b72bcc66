#pragma once

#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <stop_token>

class QPagedPaintDevice;

// How handing a document to the default printer ended.
enum class PrintOutcome {
    Sent,         // the print system took the job
    Held,         // taken, but the printer is paused: it prints once resumed
    NoPrinter,    // no default printer is set up
    Refused,      // the printer's queue does not accept jobs
    NotRunning,       // no print service runs on this computer
    NotAnswering,     // the print service did not answer
    TimedOut,         // the print service did not answer in time
    StoppedAnswering, // the print service went away in the middle; `detail` says how
    Unconfirmed,  // the whole document went out, but the print system never said it holds it: it may print
    Failed,       // anything else; `detail` says what
};

// Where a print failed that the print system had no words for.
enum class PrintFailure {
    Unknown,
    DocumentNotStarted, // the printer would not start the document
    ErrorWhilePrinting, // the printer reported an error while the pages were drawn
    NoJobFile,          // no temporary file for the job; `detail` says why
};

struct PrintResult {
    PrintOutcome outcome = PrintOutcome::Failed;
    QString printer;
    // What went wrong, in the system's own words; empty where it said nothing.
    QString detail;
    PrintFailure failure = PrintFailure::Unknown;
};

// Lays the document out on the device it is handed; false, with `why`,
// when the device failed.
using PageLayout = std::function<bool(QPagedPaintDevice& device, PrintFailure* why)>;

// The system's printing, as "Print" reaches it. `printOnDefault` blocks
// until the job is handed over or refused, and is meant for a worker
// thread: a print system that hangs must not hold the window. Through CUPS
// every wait is bounded and `stop` cuts it short; the Windows spooler is
// asked about the printer first, but drawing the pages on a spooler that
// hangs cannot be cut short (the end of the program leaves such a print
// behind).
class PrintSystem {
public:
    virtual ~PrintSystem() = default;
    virtual PrintResult printOnDefault(const PageLayout& layout, std::stop_token stop) = 0;
};

// The steps of handing a job over to a print service that takes it in parts.
enum class HandOverStep { CreateJob, StartDocument, WriteDocument, FinishDocument };
// Told before each step, on the printing thread (tests stop the service there).
using HandOverWatch = std::function<void(HandOverStep)>;

// This system's printing; each wait for the print system ends after `patience`.
std::unique_ptr<PrintSystem> MakeSystemPrintSystem(std::chrono::milliseconds patience, HandOverWatch watch = {});
