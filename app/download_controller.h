#pragma once

#include "app/download_news.h"
#include "app/shared_parts.h"
#include "app/tick_scheduler.h"
#include "app/timer_state.h"
#include "device/device_port.h"
#include "device/hid_access.h"
#include "records/clock.h"
#include "records/poll_tick.h"
#include "records/timer_commands.h"
#include "records/unit_sequences.h"

#include <QObject>

#include <string>

class MainWindow;
class OperatorNews;
class OperatorPrompt;
class ResultsView;

// The download: the link to the unit and its caption, the poll that reads
// it on Timer1, the start-up and "Get Memory" sequences, and the news of a
// download on the operator line.
class DownloadController : public QObject {
    Q_OBJECT
public:
    struct Parts : SharedParts {
        HidAccess& hid;
        Clock& clock;
        TickScheduler& scheduler;
    };
    explicit DownloadController(const Parts& parts);
    ~DownloadController() override;

    // Opens the unit; `startUp` then starts the start-up sequence, which goes
    // on from the event loop.
    void start();
    void startUp() { sequences_.startUp(); }
    // The poll, the sequences and the link end: the program is ending.
    void stop();

    void getMemoryClicked();
    // Timer1: starts a tick, unless one is still going on.
    void Timer1Tick();
    // The scheduler's call: the poll that stopped goes on.
    void continueTick();

    // The start-up command has been sent (or the program is ending).
    bool started() const { return sequences_.started(); }
    bool tickInProgress() const { return poll_.tickInProgress(); }
    // A download is being asked for or followed: no other list may come on screen.
    bool running() const { return news_.watching() || sequences_.askingForMemory(); }
    // Records are still on their way, so those not yet here are not missing.
    bool watching() const { return news_.watching(); }
    // The download just asked for began a new list after a kept one: its news says where that one is.
    void noteEarlierListKept(bool kept) { earlierListKept_ = kept; }
    std::string hidLibraryVersion() const { return device_.hid.libraryVersion(); }

signals:
    // Every caption the link shows, in order.
    void linkStatusShown(const QString& caption);
    // The unit was asked for its memory.
    void asked();
    // The table was emptied for a download: what comes next is a new list.
    void tableEmptied();
    // The start-up sequence has ended.
    void startedUp();
    // A turn of the poll ended: the table may hold new records.
    void polled();

private:
    class LinkShown : public LinkStatusDisplay {
    public:
        explicit LinkShown(DownloadController& c) : c_(c) {}
        void showLinkStatus(LinkState state) override;
        void explainUnitNotOpened(const std::string& path, OpenFailure why) override;

    private:
        DownloadController& c_;
    };
    class TimerSwitch : public PollTimerSwitch {
    public:
        explicit TimerSwitch(DownloadController& c) : c_(c) {}
        void setPolling(bool on) override;

    private:
        DownloadController& c_;
    };

    void tickStopped(bool ended);
    void showDownloadNews(const QString& news, bool asked = false);

    Parts parts_;
    LinkShown status_{*this};
    TimerSwitch timerSwitch_{*this};
    DeviceContext device_;
    DeviceUnitPort port_;
    TimerProtocol protocol_;
    PollTick poll_;
    UnitSequences sequences_;
    DownloadNews news_;
    bool earlierListKept_ = false;
};
