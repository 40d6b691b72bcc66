#include "app/timer_application.h"

#include "app/help_texts.h"
#include "presentation/focus_scroll_bar.h"
#include "presentation/results_picture.h"
#include "presentation/results_wiring.h"

#include <QCoreApplication>
#include <QTimer>

TimerApplication::TimerApplication(const ApplicationPorts& ports)
    : ownScheduler_(ports.scheduler ? nullptr : std::make_unique<EventLoopTickScheduler>(ports.clock)),
      window_(std::make_unique<MainWindow>()),
      results_(state_.records, state_.format, state_.view, window_->picture(), window_->scrollRange()),
      messageBoxes_(window_.get()),
      prompt_(ports.prompt ? *ports.prompt : messageBoxes_),
      news_(window_->operatorLine()),
      download_({shared(), ports.hid, ports.clock, ports.scheduler ? *ports.scheduler : *ownScheduler_}),
      keptLists_({shared(), download_, ports.clock, ports.listsFolder, ports.listsEndWaitMs}),
      output_({shared(), download_, keptLists_}),
      race_({shared(), keptLists_, output_})
{
    connectParts();
}

TimerApplication::~TimerApplication() = default;

void TimerApplication::connectParts()
{
    connect(&news_, &OperatorNews::shown, this, &TimerApplication::newsShown);
    connect(&download_, &DownloadController::linkStatusShown, this, &TimerApplication::linkStatusShown);
    // Every event that may change the table is kept as it ends.
    connect(&download_, &DownloadController::polled, &keptLists_, &KeptListsController::keep);
    connect(&download_, &DownloadController::asked, &keptLists_, &KeptListsController::updateActions);
    connect(&download_, &DownloadController::tableEmptied, this,
            [this] { download_.noteEarlierListKept(keptLists_.beginNewList()); });
    connect(&download_, &DownloadController::startedUp, &keptLists_, &KeptListsController::startUpEnded);

    MainWindow& w = *window_;
    ConnectResultsView(w.picture(), w.scrollBar(), results_);
    // A line's tooltip names the entrant of its bib.
    w.picture().setToolTipProvider(
        [this](double yTwips) { return race_.lineTip(RowToolTip(results_, yTwips), results_.rowAt(yTwips)); });
    connect(&w, &MainWindow::closing, this, &TimerApplication::windowClosing);
    connect(&w, &MainWindow::getMemoryRequested, &download_, &DownloadController::getMemoryClicked);
    connect(&w, &MainWindow::exitRequested, this, &TimerApplication::exitClicked);
    connect(&w, &MainWindow::sortRequested, this, [this](SortChoice request) {
        results_.requestSort(request);
        keptLists_.sortChosen(request);
        keptLists_.keep();
    });
    connect(&w, &MainWindow::timeDisplayRequested, this, [this](TimeDisplay mode) {
        results_.showTimesAs(mode);
        keptLists_.keep();
    });
    connect(&w, &MainWindow::listActionRequested, &keptLists_, &KeptListsController::actionClicked);
    connect(&w, &MainWindow::helpRequested, this, &TimerApplication::showHelp);
    connect(&w, &MainWindow::printRequested, &output_, &OutputController::printClicked);
    connect(&keptLists_, &KeptListsController::storeOpened, &race_, &ResultsController::storeOpened);
    connect(&w, &MainWindow::resultsRequested, this, [this](MainWindow::ResultsAction action) {
        if (action == MainWindow::ResultsAction::Import)
            race_.importClicked();
        else
            race_.showWindow();
    });
    connect(&w, &MainWindow::writeFileRequested, &output_, &OutputController::writeFileClicked);
}

void TimerApplication::Load()
{
    state_.format.DayTimeBase = 0;
    state_.format.TimeDisplayMode = TimeDisplay::Seconds;
    state_.view.SortRequest = SortChoice::None;

    download_.start();
    results_.DrawColumnHeadings();
    state_.view.FirstShownRecord = 0;
    state_.view.LastShownRecord = 0;

    FocusScrollBar& scroll = window_->scrollBar();
    scroll.setMaximum(0);
    scroll.setMinimum(0);
    scroll.setValue(0);

    // From the event loop, so the window is up and answering meanwhile.
    download_.startUp();
    keptLists_.openLater();
}

void TimerApplication::exitClicked()
{
    if (!keptLists_.mayEnd())
        return;
    download_.stop();
    emit exitRequested();
}

void TimerApplication::windowClosing()
{
    download_.stop();
    // A closed window is never refused; the last changes still reach the disk.
    keptLists_.finishWriting();
    output_.windowClosing();
}

void TimerApplication::showHelp(MainWindow::HelpAction action)
{
    const MainWindow& w = *window_;
    switch (action) {
    case MainWindow::HelpAction::Keys:
        prompt_.tell(HelpText::KeysAndTips({.getMemory = w.keysOf(MainWindow::Button::GetMemory),
                                            .undo = w.keysOf(MainWindow::ListAction::Undo),
                                            .redo = w.keysOf(MainWindow::ListAction::Redo),
                                            .bringBack = w.keysOf(MainWindow::ListAction::BringBack),
                                            .keptLists = w.keysOf(MainWindow::ListAction::KeptLists),
                                            .results = w.keysOf(MainWindow::ResultsAction::Show),
                                            .importStartList = w.keysOf(MainWindow::ResultsAction::Import)}));
        return;
    case MainWindow::HelpAction::About:
        prompt_.tell(HelpText::About({.program = QCoreApplication::applicationVersion(),
                                      .qt = QString::fromLatin1(qVersion()),
                                      .hidapi = QString::fromStdString(download_.hidLibraryVersion()),
                                      .sqlite = ListStore::engineVersion()}));
        return;
    }
}
