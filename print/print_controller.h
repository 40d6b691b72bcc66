#pragma once

#include "print/print_job.h"
#include "print/print_system.h"
#include "print/printed_table.h"
#include "presentation/format_state.h"
#include "records/record_table.h"

#include <QObject>
#include <QString>

#include <chrono>
#include <memory>

// "Print", from the press to its outcome: the list formatted at the press
// (formatting reads and repairs the table, so on this thread), the pages
// handed to the print system on a thread of their own, one print at a time,
// and the outcome reported back on this thread with the note the press gave.
class PrintController : public QObject {
    Q_OBJECT
public:
    // The system's printing, each wait for it bounded by `patience`.
    explicit PrintController(std::chrono::milliseconds patience, QObject* parent = nullptr);

    // Where the list is printed from now on; the system's printing unless set.
    void setPrintSystem(PrintSystem& system) { system_ = &system; }

    enum class Press { Started, StillPrinting };
    // `note` comes back with the outcome: what the operator is to know of the
    // list as it was taken.
    Press print(FormatState& format, const RecordTableState& store, const QString& note);
    // A report of its own (the results) the same way, one print at a time with the list's.
    Press print(PrintedTable table, const QString& note);
    bool printing() const { return job_.running(); }
    // Cuts the print system's waits short and waits for it at most
    // `patience`: true when no print is left in its hands.
    bool stopWithin(std::chrono::milliseconds patience) { return job_.stopWithin(patience); }

signals:
    void finished(const PrintResult& result, const QString& note);

private:
    std::unique_ptr<PrintSystem> own_;
    PrintSystem* system_;
    QString note_;
    // Last member: its thread is stopped before anything it reports to goes.
    PrintJob job_;
};
