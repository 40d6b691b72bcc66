#pragma once

#include "records/clock.h"
#include "device/device_port.h"
#include "presentation/focus_scroll_bar.h"
#include "device/hid_access.h"
#include "app/download_news.h"
#include "app/main_window.h"
#include "common/operator_prompt.h"
#include "records/poll_tick.h"
#include "print/print_controller.h"
#include "presentation/results_view.h"
#include "app/tick_scheduler.h"
#include "records/timer_commands.h"
#include "records/unit_sequences.h"
#include "app/timer_state.h"
#include "lists/list_keeper.h"
#include "lists/list_store.h"

#include <QObject>

#include <memory>

class QLabel;
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
};

// The program: its state, its main window, and what each event of the
// window does. All of it runs on the user-interface thread; only the device's
// news that a report is queued comes from another thread, through the
// scheduler.
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
    // Where "Print" prints; the system's printing unless set.
    void setPrintSystem(PrintSystem& system) { printing_.setPrintSystem(system); }
    // A print is being handed to the print system.
    bool printing() const { return printing_.printing(); }
    // Cuts a print's waits short and waits for it at most `patience`: true
    // when no print is left in the print system's hands.
    bool stopPrinting(std::chrono::milliseconds patience) { return printing_.stopWithin(patience); }
    // The export dialog, once "Write File" has opened it.
    ExportDialog* exportDialog() { return exportDialog_; }
    // The start-up command has been sent (or the program is ending).
    bool started() const { return sequences_.started(); }
    // A tick of the poll timer has started and not yet ended.
    bool tickInProgress() const { return poll_.tickInProgress(); }
    ListKeeper& keeper() { return keeper_; }
    // The kept lists' window, once it was asked for; the main window owns it.
    KeptListsWindow* keptListsWindow() { return keptListsWindow_; }

public slots:
    // Timer1: starts a tick, unless one is still going on.
    void Timer1Tick();
    // The scheduler's call: the poll that stopped goes on.
    void continueTick();
    void getMemoryClicked();
    void exitClicked();
    void windowClosing();
    void writeFileClicked();
    void printClicked();
    void listActionClicked(MainWindow::ListAction action);
    // Shows a kept list in the window, as it was left.
    void bringBack(std::int64_t list);

signals:
    // Every caption the device link shows, in order.
    void linkStatusShown(const QString& caption);
    // "Exit" was pressed: the device is closed and the program is to end now.
    void exitRequested();
    // What the operator line says, each time it changes.
    void newsShown(const QString& text);

private:
    class LinkStatusShown : public LinkStatusDisplay {
    public:
        explicit LinkStatusShown(TimerApplication& app) : app(&app) {}
        void showLinkStatus(const std::string& caption) override;
        void explainUnitNotOpened(const std::string& path, OpenFailure why) override;

    private:
        TimerApplication* app;
    };
    class TimerSwitch : public PollTimerSwitch {
    public:
        explicit TimerSwitch(TimerApplication& app) : app(&app) {}
        void setPolling(bool on) override;

    private:
        TimerApplication* app;
    };

    void connectWindow();
    // "%1" in the text stands for `path`.
    void showNews(const QString& text, const QString& path = {});
    void printFinished(const PrintResult& result, const QString& caveat);
    // What the news of an export or a print adds about the list it took.
    QString listCaveat() const;
    // The folder of the newest export of any kept list; empty when none.
    QString lastExportFolder() const;
    void tickStopped(bool ended);
    void showDownloadNews(const QString& news, bool asked = false);
    void stopPolling();
    // After every event that may change the table: the list goes to the store.
    void keepList()
    {
        keeper_.sync(state_.store, state_.format.TimeDisplayMode);
        updateActions();
    }
    // The menu's items as the program stands: undo and redo with what they
    // would do, Bring Back greyed while a download runs.
    void updateActions();
    int bibOf(int record) const;
    void showHelp(MainWindow::HelpAction action);
    void openKeptLists();
    void showKeptLists();
    void showNotKept();
    void stepMark(bool back);
    bool downloadRunning() const;
    // What Bring Back brings back now; `lists.end()` when nothing.
    std::vector<KeptListSummary>::const_iterator listToBringBack(const std::vector<KeptListSummary>& lists) const;

    // The order of these matters, and only in this way: each is made from
    // those above it (the state and the window first, then the ports onto
    // them, the view, the protocol, the poll and the sequences), and is gone
    // before them. The print, last, is stopped first.
    Clock& clock_;
    std::unique_ptr<EventLoopTickScheduler> ownScheduler_;
    TickScheduler& scheduler_;
    TimerState state_;
    std::unique_ptr<MainWindow> window_;
    ScrollBarRange scrollRange_;
    LinkStatusShown status_{*this};
    TimerSwitch timerSwitch_{*this};
    DeviceContext device_;
    DeviceUnitPort port_;
    ResultsView results_;
    TimerProtocol protocol_;
    PollTick poll_;
    UnitSequences sequences_;
    DownloadNews news_;
    MessageBoxPrompt messageBoxes_;
    OperatorPrompt& prompt_;
    // Made on the first "Write File"; the main window owns it.
    ExportDialog* exportDialog_ = nullptr;
    PrintController printing_;
    std::unique_ptr<ListStore> listStore_;
    ListKeeper keeper_;
    // Asked for while the start-up was on its way: brought back once it ends.
    std::optional<std::int64_t> bringBackAfterStartUp_;
    // The download just asked for began a new list after a kept one.
    bool earlierListKept_ = false;
    // The list on screen when the print on its way was asked for.
    std::optional<std::int64_t> printedList_;
    // Why the lists are not kept, once the store said so.
    ListStore::Opening notKept_;
    KeptListsWindow* keptListsWindow_ = nullptr;
};
