#pragma once

#include "clock.h"
#include "device_port.h"
#include "hid_access.h"
#include "main_window.h"
#include "operator_prompt.h"
#include "print_job.h"
#include "results_view.h"
#include "timer_commands.h"
#include "timer_state.h"

#include <QObject>

#include <memory>

class QLabel;
class ExportDialog;

// The program: its state, its main window, and what each event of the
// window does. All of it runs on the user-interface thread.
class TimerApplication : public QObject {
    Q_OBJECT
public:
    // Questions and messages go to `prompt`, or to message boxes without one.
    TimerApplication(HidAccess& hid, Clock& clock, OperatorPrompt* prompt = nullptr);
    ~TimerApplication() override;

    // The start-up sequence; the window is shown after it.
    void Load();

    MainWindow& window() { return *window_; }
    TimerState& state() { return state_; }
    ResultsView& results() { return *results_; }
    // Where "Print" prints; the system's default printer unless set.
    void setDefaultPrinter(DefaultPrinter& printer) { printer_ = &printer; }
    // The export dialog, once "Write File" has opened it.
    ExportDialog* exportDialog() { return exportDialog_.get(); }

public slots:
    void PollTick();
    void GetMemoryClicked();
    void ExitClicked();
    void WindowClosing();
    void WriteFileClicked();
    void PrintClicked();

signals:
    // Every caption the device link shows, in order.
    void linkStatusShown(const QString& caption);
    // "Exit" was pressed: the device is closed and the program is to end now.
    void exitRequested();

private:
    class StatusLabel : public LinkStatusDisplay {
    public:
        TimerApplication* app = nullptr;
        QLabel* label = nullptr;
        void showLinkStatus(const std::string& caption) override;
    };
    class TimerSwitch : public PollTimerSwitch {
    public:
        MainWindow* window = nullptr;
        void setPolling(bool on) override;
    };

    void connectWindow();

    Clock& clock_;
    TimerState state_;
    std::unique_ptr<MainWindow> window_;
    StatusLabel status_;
    TimerSwitch timerSwitch_;
    DeviceContext device_;
    DeviceUnitPort port_;
    std::unique_ptr<ResultsView> results_;
    std::unique_ptr<TimerProtocol> protocol_;
    MessageBoxPrompt messageBoxes_;
    OperatorPrompt& prompt_;
    std::unique_ptr<ExportDialog> exportDialog_;
    SystemDefaultPrinter systemPrinter_;
    DefaultPrinter* printer_ = &systemPrinter_;
};
