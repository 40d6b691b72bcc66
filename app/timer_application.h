#pragma once

#include "app/download_controller.h"
#include "app/kept_lists_controller.h"
#include "app/main_window.h"
#include "app/operator_news.h"
#include "app/output_controller.h"
#include "app/results_controller.h"
#include "app/tick_scheduler.h"
#include "app/timer_state.h"
#include "common/operator_prompt.h"
#include "device/hid_access.h"
#include "presentation/results_view.h"
#include "records/clock.h"

#include <QObject>

#include <memory>

class ExportDialog;
class KeptListsWindow;

// What the program works through. Left null, the prompt is message boxes
// and the scheduler the user-interface thread's event loop. Left empty, the
// lists are not kept.
struct ApplicationPorts {
    HidAccess& hid;
    Clock& clock;
    OperatorPrompt* prompt = nullptr;
    TickScheduler* scheduler = nullptr;
    QString listsFolder = {};
    // How long the end waits for the disk to take the last changes.
    int listsEndWaitMs = KeptListsController::EndWaitMs;
};

// The program: its state and its main window, and a controller for each
// feature (the download, the kept lists, the list out, the results), which it builds and
// connects to the window's requests. All of it runs on the user-interface
// thread; only the device's news that a report is queued comes from another
// thread, through the scheduler.
class TimerApplication : public QObject {
    Q_OBJECT
public:
    explicit TimerApplication(const ApplicationPorts& ports);
    ~TimerApplication() override;

    // The start-up sequence. It returns at once: the start-up read, its wait
    // and the start-up command follow from the event loop, with the window
    // shown meanwhile.
    void Load();

    MainWindow& window() { return *window_; }
    TimerState& state() { return state_; }
    ResultsView& results() { return results_; }
    DownloadController& download() { return download_; }
    KeptListsController& keptLists() { return keptLists_; }
    OutputController& output() { return output_; }
    ResultsController& resultsOfRace() { return race_; }

    // Shorthands the tests and the program's run use.
    void setPrintSystem(PrintSystem& system) { output_.setPrintSystem(system); }
    bool printing() const { return output_.printing(); }
    bool stopPrinting(std::chrono::milliseconds patience) { return output_.stopPrinting(patience); }
    ExportDialog* exportDialog() { return output_.exportDialog(); }
    bool started() const { return download_.started(); }
    bool tickInProgress() const { return download_.tickInProgress(); }
    ListKeeper& keeper() { return keptLists_.keeper(); }
    KeptListsWindow* keptListsWindow() { return keptLists_.window(); }

public slots:
    void Timer1Tick() { download_.Timer1Tick(); }
    void getMemoryClicked() { download_.getMemoryClicked(); }
    void exitClicked();
    void windowClosing();
    void writeFileClicked() { output_.writeFileClicked(); }
    void printClicked() { output_.printClicked(); }

signals:
    // Every caption the device link shows, in order.
    void linkStatusShown(const QString& caption);
    // "Exit" was pressed: the device is closed and the program is to end now.
    void exitRequested();
    // What the operator line says, each time it changes.
    void newsShown(const QString& text);

private:
    SharedParts shared() { return {state_, *window_, results_, prompt_, news_}; }
    void connectParts();
    void showHelp(MainWindow::HelpAction action);

    // Each is made from those above it and is gone before them: the print,
    // last, is stopped first, and the download's device thread before the
    // state it reads into.
    std::unique_ptr<EventLoopTickScheduler> ownScheduler_;
    TimerState state_;
    std::unique_ptr<MainWindow> window_;
    ResultsView results_;
    MessageBoxPrompt messageBoxes_;
    OperatorPrompt& prompt_;
    OperatorNews news_;
    DownloadController download_;
    KeptListsController keptLists_;
    OutputController output_;
    ResultsController race_;
};
