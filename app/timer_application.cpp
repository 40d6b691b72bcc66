#include "app/timer_application.h"

#include "app/help_texts.h"
#include "app/kept_lists_window.h"
#include "app/operator_line_texts.h"
#include "app/unit_not_opened_texts.h"
#include "export/export_dialog.h"
#include "common/output_stamp.h"
#include "presentation/focus_scroll_bar.h"
#include "presentation/record_values.h"
#include "presentation/results_picture.h"
#include "presentation/results_wiring.h"

#include <QAccessible>
#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <utility>

namespace {

constexpr int PollIntervalMs = 250;

QString TimeOfDay() { return StampTime(QDateTime::currentDateTime()); }

QString KeysOf(const QAction& action) { return action.shortcut().toString(QKeySequence::NativeText); }

} // namespace

void TimerApplication::LinkStatusShown::showLinkStatus(const std::string& caption)
{
    const QString text = QString::fromStdString(caption);
    app->window_->statusLabel().setText(text);
    emit app->linkStatusShown(text);
    if (caption == LinkCaption::Timeout || caption == LinkCaption::UndefinedError)
        if (const auto news = app->news_.linkLost(app->state_.store, TimeOfDay()))
            app->showDownloadNews(*news);
}

void TimerApplication::LinkStatusShown::explainUnitNotOpened(const std::string& path, OpenFailure why)
{
    // Shown without waiting: this comes in the middle of a search.
    app->prompt_.inform(OperatorLineText::UnitNotOpened(QString::fromStdString(path), why));
}

void TimerApplication::TimerSwitch::setPolling(bool on)
{
    QTimer& timer = app->window_->pollTimer();
    if (on) {
        timer.start();
    } else {
        timer.stop();
        app->poll_.forgetOverdue();
    }
}

TimerApplication::TimerApplication(const ApplicationPorts& ports)
    : clock_(ports.clock),
      ownScheduler_(ports.scheduler ? nullptr : std::make_unique<EventLoopTickScheduler>(ports.clock)),
      scheduler_(ports.scheduler ? *ports.scheduler : *ownScheduler_),
      window_(std::make_unique<MainWindow>()),
      scrollRange_(window_->scrollBar()),
      device_{state_.link, ports.hid, status_, clock_, [this](QueueEvent event) { scheduler_.reportQueued(event != QueueEvent::Report); }},
      port_(device_, state_.ring),
      results_(state_.store, state_.format, state_.view, window_->picture(), scrollRange_),
      protocol_{state_.ring, state_.store, scrollRange_, port_, results_, timerSwitch_, clock_},
      poll_(protocol_, scheduler_),
      sequences_(protocol_, poll_, scheduler_),
      messageBoxes_(window_.get()),
      prompt_(ports.prompt ? *ports.prompt : messageBoxes_),
      printing_(std::chrono::seconds(20)),
      listStore_(ports.listsFolder.isEmpty() ? nullptr : std::make_unique<ListStore>(ports.listsFolder)),
      keeper_(listStore_.get(), [this] { return clock_.nowUs() / 1000; })
{
    scheduler_.setResume([this] { continueTick(); });
    poll_.setStopListener([this](bool ended) { tickStopped(ended); });
    sequences_.setAskedListener([this] {
        showDownloadNews(news_.asked(clock_.nowUs()), true);
        updateActions();
    });
    // What the unit sends into an emptied table is a new list.
    sequences_.setEmptiedListener([this] {
        earlierListKept_ = keeper_.keeping() && keeper_.listOnScreen().has_value();
        keeper_.beginNewList();
        updateActions();
    });
    sequences_.setNoUnitListener([this] { showNews(OperatorLineText::NoUnitForGetMemory()); });
    sequences_.setStartedListener([this] {
        if (const auto list = std::exchange(bringBackAfterStartUp_, std::nullopt))
            bringBack(*list);
    });
    connect(&printing_, &PrintController::finished, this, &TimerApplication::printFinished);
    results_.setMarkListener([this] { keepList(); });
    keeper_.setWriteFailedListener([this](const QString& why) {
        notKept_ = {.trouble = StoreTrouble::WriteFailed, .detail = why};
        showNotKept();
    });
    keeper_.setResumedListener([this] {
        notKept_ = {};
        window_->showNotKeptNotice({});
        showNews(OperatorLineText::ListsKeptAgain());
    });
    connectWindow();
}

TimerApplication::~TimerApplication()
{
    scheduler_.setResume(nullptr);
    // The device's thread calls into the scheduler; it is told to stop first.
    state_.link.DeviceHandle.reset();
}

void TimerApplication::connectWindow()
{
    MainWindow& w = *window_;
    ConnectResultsView(w.picture(), w.scrollBar(), results_);
    connect(&w.pollTimer(), &QTimer::timeout, this, &TimerApplication::Timer1Tick);
    connect(&w, &MainWindow::closing, this, &TimerApplication::windowClosing);
    connect(&w, &MainWindow::getMemoryRequested, this, &TimerApplication::getMemoryClicked);
    connect(&w, &MainWindow::exitRequested, this, &TimerApplication::exitClicked);
    connect(&w, &MainWindow::sortRequested, this, [this](SortChoice request) {
        results_.requestSort(request);
        keeper_.sortChosen(request);
        keepList();
    });
    connect(&w, &MainWindow::timeDisplayRequested, this, [this](TimeDisplay mode) {
        results_.showTimesAs(mode);
        keepList();
    });
    connect(&w, &MainWindow::listActionRequested, this, &TimerApplication::listActionClicked);
    connect(&w, &MainWindow::helpRequested, this, &TimerApplication::showHelp);
    connect(&w, &MainWindow::printRequested, this, &TimerApplication::printClicked);
    connect(&w, &MainWindow::writeFileRequested, this, &TimerApplication::writeFileClicked);
}

void TimerApplication::Load()
{
    QTimer& timer = window_->pollTimer();
    timer.setInterval(PollIntervalMs);
    timer.stop();

    state_.format.DayTimeBase = 0;
    state_.format.TimeDisplayMode = TimeDisplay::Seconds;
    state_.store.RecordCount = 0;
    state_.view.SortRequest = SortChoice::None;

    state_.link.DeviceConnected = OpenTimerDevice(device_);
    results_.DrawColumnHeadings();
    state_.view.FirstShownRecord = 0;
    state_.view.LastShownRecord = 0;

    FocusScrollBar& scroll = window_->scrollBar();
    scroll.setMaximum(0);
    scroll.setMinimum(0);
    scroll.setValue(0);

    // From the event loop, so the window is up and answering meanwhile.
    sequences_.startUp();
    if (listStore_)
        QTimer::singleShot(0, this, &TimerApplication::openKeptLists);
}

void TimerApplication::Timer1Tick()
{
    poll_.timerFired();
    keepList();
}

void TimerApplication::continueTick()
{
    poll_.resume();
    keepList();
}

void TimerApplication::showNews(const QString& text, const QString& path)
{
    OperatorLine& line = window_->operatorLine();
    line.showNews(text, path);
    // Heard as it reads, not only as "News".
    line.setAccessibleName(line.toldText());
    // Read out as it changes, as a live region is.
    QAccessibleEvent changed(&line, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
    emit newsShown(line.toldText());
}

void TimerApplication::tickStopped(bool ended)
{
    if (!news_.watching())
        return;
    if (const auto news = news_.polled(state_.store, ended, state_.link.DeviceConnected, clock_.nowUs(), TimeOfDay()))
        showDownloadNews(*news);
}

void TimerApplication::showDownloadNews(const QString& news, bool asked)
{
    // Where the list that went from the screen is found again: said when the
    // unit is asked and again with the download's last word, which stays.
    const bool said = earlierListKept_ && (asked || !news_.watching());
    if (said && !news_.watching())
        earlierListKept_ = false;
    showNews(said ? OperatorLineText::WithEarlierListKept(
                        news, KeysOf(window_->listAction(MainWindow::ListAction::BringBack)),
                        KeysOf(window_->listAction(MainWindow::ListAction::KeptLists)))
                  : news);
}

void TimerApplication::stopPolling()
{
    timerSwitch_.setPolling(false);
    poll_.stop();
    sequences_.stop();
    scheduler_.cancel();
}

void TimerApplication::getMemoryClicked()
{
    switch (sequences_.GetMemory()) {
    case UnitSequences::Press::AfterStartUp:
        showNews(OperatorLineText::UnitBeingStarted());
        return;
    case UnitSequences::Press::NoUnit:
        showNews(OperatorLineText::NoUnitForGetMemory());
        return;
    case UnitSequences::Press::AwaitingSearch:
        showNews(OperatorLineText::AwaitingUnitSearch());
        return;
    case UnitSequences::Press::Pausing:
    case UnitSequences::Press::AlreadyOnItsWay:
        return;
    }
}

void TimerApplication::exitClicked()
{
    // The one question the program adds: records that would be lost.
    if (keeper_.stopped() && state_.store.RecordCount > 0
        && !prompt_.confirm(OperatorLineText::ExitWhileNotKept(), OperatorLineText::ListsNotKept(notKept_)))
        return;
    stopPolling();
    CloseTimerDevice(state_.link);
    emit exitRequested();
}

void TimerApplication::windowClosing()
{
    stopPolling();
    CloseTimerDevice(state_.link);
    // The dialog belongs to this window; it does not outlive it on screen.
    if (exportDialog_)
        exportDialog_->hide();
}

void TimerApplication::writeFileClicked()
{
    window_->setVisible(true);
    if (!exportDialog_) {
        exportDialog_ = new ExportDialog(state_.format, state_.store, prompt_, window_.get());
        connect(exportDialog_, &ExportDialog::written, this, [this](const QString& path) {
            keeper_.noteExported(path);
            showNews(OperatorLineText::ListWritten(ExportFormatOf(path), listCaveat()), path);
        });
        // An earlier export's news of success must not stand for this one.
        connect(exportDialog_, &ExportDialog::notWritten, this,
                [this](const QString& path) { showNews(OperatorLineText::ListNotWritten(), path); });
        connect(exportDialog_, &ExportDialog::cancelled, this,
                [this] { showNews(OperatorLineText::ExportCancelled()); });
        exportDialog_->startIn(lastExportFolder());
    }
    exportDialog_->open();
}

QString TimerApplication::lastExportFolder() const
{
    QDateTime newest;
    QString folder;
    for (const KeptListSummary& list : keeper_.lists())
        if (!list.exportedTo.isEmpty() && (newest.isNull() || list.exportedAt > newest)) {
            newest = list.exportedAt;
            folder = QFileInfo(QDir::fromNativeSeparators(list.exportedTo)).path();
        }
    return folder;
}

QString TimerApplication::listCaveat() const
{
    // Records still on their way are not missing.
    if (news_.watching())
        return OperatorLineText::DownloadStillRunning(CountDownload(state_.store));
    return OperatorLineText::ListCaveat(state_.store);
}

void TimerApplication::printClicked()
{
    if (printing_.print(state_.format, state_.store, listCaveat()) == PrintController::Press::StillPrinting) {
        showNews(OperatorLineText::StillPrinting());
        return;
    }
    printedList_ = keeper_.listOnScreen();
    showNews(OperatorLineText::SendingToPrinter());
}

void TimerApplication::printFinished(const PrintResult& r, const QString& caveat)
{
    if (r.outcome == PrintOutcome::Sent || r.outcome == PrintOutcome::Held)
        keeper_.notePrinted(printedList_, r.printer);
    const OperatorLineText::PrintNews news = OperatorLineText::TellPrintOutcome(r, caveat);
    showNews(news.line);
    if (!news.message.isEmpty())
        prompt_.tell(news.message);
}


void TimerApplication::openKeptLists()
{
    ListStore::Opening opening = listStore_->open();
    // A lock another computer left (a home on a stick, a network drive) is
    // never a bar for ever: the operator knows whether that copy still runs.
    if (opening.trouble == StoreTrouble::HeldElsewhere
        && prompt_.confirm(OperatorLineText::TakeOverQuestion(opening), OperatorLineText::TakeOverDetail()))
        opening = listStore_->takeOver();
    if (opening.trouble != StoreTrouble::None) {
        notKept_ = opening;
        showNotKept();
        if (!opening.open) {
            // Tried again as the program goes on: space freed, the other copy ended.
            keeper_.keepTrying();
            return;
        }
    }
    // Records filed before the store was there are kept now.
    keeper_.storeOpened();
    keepList();
    // Offered, never put on screen unasked; not over a download begun meanwhile.
    const auto lists = keeper_.lists();
    const auto offered = listToBringBack(lists);
    if (offered == lists.end() || state_.store.RecordCount > 0 || downloadRunning())
        return;
    showNews(OperatorLineText::KeptListOffered(*offered, KeysOf(window_->listAction(MainWindow::ListAction::BringBack))));
}

std::vector<KeptListSummary>::const_iterator
TimerApplication::listToBringBack(const std::vector<KeptListSummary>& lists) const
{
    const auto byId = [&lists](std::optional<std::int64_t> id) {
        return std::find_if(lists.begin(), lists.end(), [id](const KeptListSummary& l) { return l.id == id; });
    };
    // Before anything is on screen: the list the window showed when the
    // program last ended, however it ended (a crash while an older list was
    // being marked brings back that one, not the newest).
    if (!keeper_.listOnScreen())
        if (const auto left = byId(keeper_.listLeftOnScreen()); left != lists.end())
            return left;
    // Else the newest kept list that is not the one on screen.
    return std::find_if(lists.begin(), lists.end(),
                        [this](const KeptListSummary& l) { return l.id != keeper_.listOnScreen(); });
}

void TimerApplication::showNotKept()
{
    // Some of these sentences name no file.
    const QString text = OperatorLineText::ListsNotKept(notKept_);
    const QString path = notKept_.setAsideAs.isEmpty() ? listStore_->folder() : notKept_.setAsideAs;
    const QString shownPath = text.contains(QLatin1String("%1")) ? QDir::toNativeSeparators(path) : QString();
    showNews(text, shownPath);
    // A set-aside store is news; lists not kept are a state that stays.
    if (!notKept_.open)
        window_->showNotKeptNotice(shownPath.isEmpty() ? text : text.arg(shownPath));
}

bool TimerApplication::downloadRunning() const { return news_.watching() || sequences_.askingForMemory(); }

void TimerApplication::listActionClicked(MainWindow::ListAction action)
{
    switch (action) {
    case MainWindow::ListAction::BringBack: {
        const auto lists = keeper_.lists();
        const auto last = listToBringBack(lists);
        if (last != lists.end())
            bringBack(last->id);
        else if (!lists.empty())
            showNews(OperatorLineText::OnlyKeptListOnScreen());
        else if (keeper_.stopped())
            showNotKept(); // lists there may be, but none can be read now
        else
            showNews(OperatorLineText::NoKeptList());
        return;
    }
    case MainWindow::ListAction::KeptLists:
        showKeptLists();
        return;
    case MainWindow::ListAction::Undo:
        stepMark(true);
        return;
    case MainWindow::ListAction::Redo:
        stepMark(false);
        return;
    }
}

void TimerApplication::showKeptLists()
{
    const auto lists = keeper_.lists();
    if (lists.empty()) {
        if (keeper_.stopped())
            showNotKept(); // lists there may be, but none can be read now
        else
            showNews(OperatorLineText::NoKeptList());
        return;
    }
    if (!keptListsWindow_) {
        keptListsWindow_ = new KeptListsWindow(window_.get());
        connect(keptListsWindow_, &KeptListsWindow::listChosen, this, &TimerApplication::bringBack);
    }
    keptListsWindow_->showLists(lists, keeper_.listOnScreen().value_or(0));
    keptListsWindow_->open();
}

void TimerApplication::bringBack(std::int64_t list)
{
    // The start-up empties the table after its read: the list comes after it.
    if (!sequences_.started()) {
        bringBackAfterStartUp_ = list;
        showNews(OperatorLineText::BringBackAfterTheStartUp());
        return;
    }
    if (downloadRunning()) {
        showNews(OperatorLineText::BringBackAfterTheDownload());
        return;
    }
    SortChoice sort = SortChoice::None;
    const auto summary = keeper_.bringBack(list, state_.store, state_.format.TimeDisplayMode, sort);
    if (!summary) {
        showNews(OperatorLineText::KeptListUnreadable());
        return;
    }
    // The rows in the order they were left, on the last page as a download leaves it.
    const int count = state_.store.RecordCount;
    const int last = count < VisibleRecordRows ? 0 : count - VisibleRecordRows;
    window_->scrollBar().setMaximum(last);
    window_->scrollBar().setValue(last);
    state_.view.SortRequest = SortChoice::None;
    results_.DrawColumnHeadings();
    results_.RefreshResults(count);
    showNews(OperatorLineText::ListBroughtBack(*summary));
}

void TimerApplication::stepMark(bool back)
{
    const auto changes = back ? keeper_.undo(state_.store) : keeper_.redo(state_.store);
    if (changes.empty()) {
        showNews(back ? OperatorLineText::NothingToUndo() : OperatorLineText::NothingToRedo());
        return;
    }
    const ListKeeper::MarkChange& c = changes.front();
    // A line off the page comes into view, so the operator sees what changed.
    results_.bringIntoView(state_.store.rowOfRecord(c.record));
    results_.showFiledRecords();
    showNews(back ? OperatorLineText::MarkUndone(c.record, bibOf(c.record), c.after,
                                                 KeysOf(window_->listAction(MainWindow::ListAction::Redo)))
                  : OperatorLineText::MarkRedone(c.record, bibOf(c.record), c.after));
    updateActions();
}

int TimerApplication::bibOf(int record) const
{
    const int row = state_.store.rowOfRecord(record);
    return ReadRecordValues(state_.store.RecordTable[static_cast<std::size_t>(row)], 0).bib;
}

void TimerApplication::updateActions()
{
    const auto step = [this](const std::optional<ListKeeper::MarkChange>& c) -> std::optional<MainWindow::MarkStep> {
        if (!c)
            return std::nullopt;
        return MainWindow::MarkStep{c->record, bibOf(c->record)};
    };
    window_->showMarkSteps(step(keeper_.nextUndo()), step(keeper_.nextRedo()));
    window_->listAction(MainWindow::ListAction::BringBack).setEnabled(!downloadRunning());
}

void TimerApplication::showHelp(MainWindow::HelpAction action)
{
    const auto keys = [this](MainWindow::ListAction a) { return KeysOf(window_->listAction(a)); };
    switch (action) {
    case MainWindow::HelpAction::Keys:
        prompt_.tell(HelpText::KeysAndTips({.getMemory = KeysOf(window_->buttonAction(MainWindow::Button::GetMemory)),
                                            .undo = keys(MainWindow::ListAction::Undo),
                                            .redo = keys(MainWindow::ListAction::Redo),
                                            .bringBack = keys(MainWindow::ListAction::BringBack),
                                            .keptLists = keys(MainWindow::ListAction::KeptLists)}));
        return;
    case MainWindow::HelpAction::About:
        prompt_.tell(HelpText::About({.program = QCoreApplication::applicationVersion(),
                                      .qt = QString::fromLatin1(qVersion()),
                                      .hidapi = QString::fromStdString(device_.hid.libraryVersion()),
                                      .sqlite = ListStore::engineVersion()}));
        return;
    }
}
