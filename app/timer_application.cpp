#include "timer_application.h"

#include "export_dialog.h"
#include "focus_scroll_bar.h"
#include "printed_report.h"
#include "results_picture.h"
#include "results_wiring.h"

#include <QDateTime>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr int PollIntervalMs = 250;
constexpr std::int64_t StartupWaitUs = 500000;

} // namespace

void TimerApplication::StatusLabel::showLinkStatus(const std::string& caption)
{
    const QString text = QString::fromStdString(caption);
    label->setText(text);
    emit app->linkStatusShown(text);
}

void TimerApplication::TimerSwitch::setPolling(bool on)
{
    if (on)
        window->pollTimer().start();
    else
        window->pollTimer().stop();
}

TimerApplication::TimerApplication(HidAccess& hid, Clock& clock, OperatorPrompt* prompt)
    : clock_(clock),
      window_(std::make_unique<MainWindow>()),
      device_{state_.link, hid, status_},
      port_(device_, state_.ring),
      messageBoxes_(window_.get()),
      prompt_(prompt ? *prompt : messageBoxes_)
{
    status_.app = this;
    status_.label = &window_->statusLabel();
    timerSwitch_.window = window_.get();
    results_ = std::make_unique<ResultsView>(state_.store, state_.format, state_.view, window_->picture(),
                                             window_->scrollBar());
    protocol_ = std::make_unique<TimerProtocol>(TimerProtocol{state_.ring, state_.store, window_->scrollBar(),
                                                              port_, *results_, timerSwitch_, clock_});
    connectWindow();
}

TimerApplication::~TimerApplication() = default;

void TimerApplication::connectWindow()
{
    MainWindow& w = *window_;
    ConnectResultsView(w.picture(), w.scrollBar(), *results_);
    connect(&w.pollTimer(), &QTimer::timeout, this, &TimerApplication::PollTick);
    connect(&w, &MainWindow::closing, this, &TimerApplication::WindowClosing);
    connect(w.button("Reset"), &QPushButton::clicked, this, &TimerApplication::GetMemoryClicked);
    connect(w.button("Exit"), &QPushButton::clicked, this, &TimerApplication::ExitClicked);
    connect(w.button("SortTime"), &QPushButton::clicked, this, [this] { results_->RequestSort(ViewState::SortByTime); });
    connect(w.button("SortBib"), &QPushButton::clicked, this, [this] { results_->RequestSort(ViewState::SortByBib); });
    connect(w.button("SortSeq"), &QPushButton::clicked, this,
            [this] { results_->RequestSort(ViewState::SortBySequence); });
    connect(w.button("Normal"), &QPushButton::clicked, this, [this] { results_->ShowTimesAs(FormatState::Seconds); });
    connect(w.button("MilitaryT"), &QPushButton::clicked, this,
            [this] { results_->ShowTimesAs(FormatState::TimeOfDay); });
    connect(w.button("Command1"), &QPushButton::clicked, this, &TimerApplication::PrintClicked);
    connect(w.button("WriteFile"), &QPushButton::clicked, this, &TimerApplication::WriteFileClicked);
}

void TimerApplication::Load()
{
    QTimer& timer = window_->pollTimer();
    timer.setInterval(PollIntervalMs);
    timer.stop();

    state_.format.DayTimeBase = 0;
    state_.format.TimeDisplayMode = FormatState::Seconds;
    state_.store.RecordCount = 0;
    state_.view.SortRequest = ViewState::NoSort;

    state_.link.DeviceConnected = OpenTimerDevice(device_);
    ReadTimerReport(device_, state_.ring);
    results_->DrawColumnHeadings();
    state_.view.FirstShownRecord = 0;
    state_.view.LastShownRecord = 0;

    FocusScrollBar& scroll = window_->scrollBar();
    scroll.setMaximum(0);
    scroll.setMinimum(0);
    scroll.setValue(0);

    timer.start();
    state_.store.ClearRecords();
    WaitMoreThan(clock_, StartupWaitUs);
    WriteTimerReport(device_, StartupCommand);
}

void TimerApplication::PollTick() { PollTimerUnit(*protocol_); }

void TimerApplication::GetMemoryClicked() { GetMemory(*protocol_); }

void TimerApplication::ExitClicked()
{
    window_->pollTimer().stop();
    CloseTimerDevice(state_.link);
    emit exitRequested();
}

void TimerApplication::WindowClosing()
{
    window_->pollTimer().stop();
    CloseTimerDevice(state_.link);
    // The dialog belongs to this window; it does not outlive it on screen.
    if (exportDialog_)
        exportDialog_->hide();
}

void TimerApplication::WriteFileClicked()
{
    window_->setVisible(true);
    if (!exportDialog_)
        exportDialog_ = std::make_unique<ExportDialog>(state_.format, state_.store, prompt_, window_.get());
    exportDialog_->open();
}

void TimerApplication::PrintClicked()
{
    QString why;
    QPrinter* printer = printer_->printer(&why);
    if (!printer) {
        prompt_.tell("Nothing was printed. " + why
                     + " Set up a printer and press Print again; the records are kept.");
        return;
    }
    const QDateTime now = QDateTime::currentDateTime();
    if (!PrintResults(*printer, state_.format, state_.store, now.toString("MM-dd-yyyy"), now.toString("HH:mm:ss"),
                      &why))
        prompt_.tell("Printing failed: " + why + ". The records are kept; check the printer and press Print again.");
}
