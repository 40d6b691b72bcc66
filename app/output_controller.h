#pragma once

#include "app/shared_parts.h"
#include "app/timer_state.h"
#include "print/print_controller.h"

#include <QObject>

#include <chrono>
#include <cstdint>
#include <optional>

class DownloadController;
class ExportDialog;
class KeptListsController;
class MainWindow;
class OperatorNews;
class OperatorPrompt;

// The list out of the program: "Print" and "Write File", and what the
// operator is told of each, with what to know of the list they took.
class OutputController : public QObject {
    Q_OBJECT
public:
    struct Parts : SharedParts {
        const DownloadController& download;
        KeptListsController& lists;
    };
    explicit OutputController(const Parts& parts);

    void printClicked();
    // A report of its own (the results), through the same printing: one
    // print at a time, its outcome told as the list's is.
    void printReport(PrintedTable report);
    void writeFileClicked();
    // The window is closing: the dialog belongs to it and does not outlive it on screen.
    void windowClosing();

    // Where "Print" prints; the system's printing unless set.
    void setPrintSystem(PrintSystem& system) { printing_.setPrintSystem(system); }
    bool printing() const { return printing_.printing(); }
    // Cuts a print's waits short and waits for it at most `patience`: true
    // when no print is left in the print system's hands.
    bool stopPrinting(std::chrono::milliseconds patience) { return printing_.stopWithin(patience); }
    // The export dialog, once "Write File" has opened it; the main window owns it.
    ExportDialog* exportDialog() { return exportDialog_; }

private:
    void printFinished(const PrintResult& result, const QString& caveat);
    // What the news of an export or a print adds about the list it took.
    QString listCaveat() const;

    Parts parts_;
    ExportDialog* exportDialog_ = nullptr;
    // The list on screen when the print on its way was asked for.
    std::optional<std::int64_t> printedList_;
    // The print on its way is the list's, which the kept list notes.
    bool printingList_ = false;
    PrintController printing_;
};
