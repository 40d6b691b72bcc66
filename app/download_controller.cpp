#include "app/download_controller.h"

#include "app/main_window.h"
#include "app/operator_line_texts.h"
#include "app/operator_news.h"
#include "app/unit_not_opened_texts.h"
#include "common/operator_prompt.h"
#include "common/output_stamp.h"
#include "presentation/results_view.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QLabel>
#include <QTimer>

namespace {

constexpr int PollIntervalMs = 250;

QString TimeOfDay() { return StampTime(QDateTime::currentDateTime()); }

} // namespace

void DownloadController::LinkShown::showLinkStatus(LinkState state)
{
    const QString text = QCoreApplication::translate("LinkStatus", LinkCaptionOf(state).c_str());
    c_.parts_.window.statusLabel().setText(text);
    emit c_.linkStatusShown(text);
    if (LinkLost(state))
        if (const auto news = c_.news_.linkLost(c_.parts_.state.records.table(), TimeOfDay()))
            c_.showDownloadNews(*news);
}

void DownloadController::LinkShown::explainUnitNotOpened(const std::string& path, OpenFailure why)
{
    // Shown without waiting: this comes in the middle of a search.
    c_.parts_.prompt.inform(OperatorLineText::UnitNotOpened(QString::fromStdString(path), why));
}

void DownloadController::TimerSwitch::setPolling(bool on)
{
    QTimer& timer = c_.parts_.window.pollTimer();
    if (on) {
        timer.start();
    } else {
        timer.stop();
        c_.poll_.forgetOverdue();
    }
}

DownloadController::DownloadController(const Parts& parts)
    : parts_(parts),
      device_{parts.state.link, parts.hid, status_, parts.clock,
              [this](QueueEvent event) { parts_.scheduler.reportQueued(event != QueueEvent::Report); }},
      port_(device_, parts.state.ring),
      protocol_{parts.state.ring, parts.state.records, parts.window.scrollRange(), port_, parts.results, timerSwitch_,
                parts.clock},
      poll_(protocol_, parts.scheduler),
      sequences_(protocol_, poll_, parts.scheduler)
{
    parts_.scheduler.setResume([this] { continueTick(); });
    poll_.setStopListener([this](bool ended) { tickStopped(ended); });
    sequences_.setAskedListener([this] {
        showDownloadNews(news_.asked(parts_.clock.nowUs()), true);
        emit asked();
    });
    sequences_.setEmptiedListener([this] { emit tableEmptied(); });
    sequences_.setNoUnitListener([this] { parts_.news.show(OperatorLineText::NoUnitForGetMemory()); });
    sequences_.setStartedListener([this] { emit startedUp(); });
    QTimer& timer = parts_.window.pollTimer();
    timer.setInterval(PollIntervalMs);
    connect(&timer, &QTimer::timeout, this, &DownloadController::Timer1Tick);
}

DownloadController::~DownloadController()
{
    parts_.scheduler.setResume(nullptr);
    // The device's thread calls into the scheduler; it is told to stop first.
    parts_.state.link.DeviceHandle.reset();
}

void DownloadController::start()
{
    parts_.window.pollTimer().stop();
    parts_.state.link.DeviceConnected = OpenTimerDevice(device_);
}

void DownloadController::stop()
{
    timerSwitch_.setPolling(false);
    poll_.stop();
    sequences_.stop();
    parts_.scheduler.cancel();
    CloseTimerDevice(parts_.state.link);
}

void DownloadController::Timer1Tick()
{
    poll_.timerFired();
    emit polled();
}

void DownloadController::continueTick()
{
    poll_.resume();
    emit polled();
}

void DownloadController::getMemoryClicked()
{
    switch (sequences_.GetMemory()) {
    case UnitSequences::Press::AfterStartUp:
        parts_.news.show(OperatorLineText::UnitBeingStarted());
        return;
    case UnitSequences::Press::NoUnit:
        parts_.news.show(OperatorLineText::NoUnitForGetMemory());
        return;
    case UnitSequences::Press::AwaitingSearch:
        parts_.news.show(OperatorLineText::AwaitingUnitSearch());
        return;
    case UnitSequences::Press::Pausing:
    case UnitSequences::Press::AlreadyOnItsWay:
        return;
    }
}

void DownloadController::tickStopped(bool ended)
{
    if (!news_.watching())
        return;
    const TimerState& state = parts_.state;
    if (const auto news = news_.polled(state.records.table(), ended, state.link.DeviceConnected, parts_.clock.nowUs(), TimeOfDay()))
        showDownloadNews(*news);
}

void DownloadController::showDownloadNews(const QString& news, bool asked)
{
    // Where the list that went from the screen is found again: said when the
    // unit is asked and again with the download's last word, which stays.
    const bool said = earlierListKept_ && (asked || !news_.watching());
    if (said && !news_.watching())
        earlierListKept_ = false;
    const MainWindow& w = parts_.window;
    parts_.news.show(said ? OperatorLineText::WithEarlierListKept(news, w.keysOf(MainWindow::ListAction::BringBack),
                                                                  w.keysOf(MainWindow::ListAction::KeptLists))
                          : news);
}
