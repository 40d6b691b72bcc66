#include "app/kept_lists_controller.h"

#include "app/download_controller.h"
#include "app/kept_lists_window.h"
#include "app/operator_line_texts.h"
#include "app/operator_news.h"
#include "common/operator_prompt.h"
#include "presentation/focus_scroll_bar.h"
#include "presentation/record_values.h"
#include "presentation/results_view.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include <algorithm>
#include <utility>

KeptListsController::KeptListsController(const Parts& parts)
    : parts_(parts),
      writer_(parts.folder.isEmpty() ? nullptr : std::make_unique<StoreWriter>(std::make_unique<ListStore>(parts.folder))),
      keeper_(writer_.get(), [this] { return parts_.clock.nowUs() / 1000; }),
      marks_([this](int record, int mark) { setMark(record, mark); })
{
    parts_.results.setMarkListener([this](int record, int before, int after) {
        marks_.marked({record, before, after});
        keep();
    });
    connect(&marks_, &MarkHistory::stepsChanged, this, &KeptListsController::updateActions);
    // Every change is kept: at the end of the event that made it, or else
    // as soon as the event loop turns.
    parts_.state.records.addListener([this](const Records::Change& change) {
        keeper_.changed(change);
        if (!std::exchange(keepDue_, true))
            QTimer::singleShot(0, this, [this] {
                if (keepDue_)
                    keep();
            });
    });
    keeper_.setWriteFailedListener([this](const QString& why) {
        notKept_ = {.trouble = StoreTrouble::WriteFailed, .detail = why};
        showNotKept();
    });
    keeper_.setOpenedListener([this](const ListStore::Opening& opening) { opened(opening); });
    // What the writer tells (an opening, a write that failed) is taken on
    // this thread, as the event loop turns.
    if (writer_)
        writer_->setNewsListener([this] { QMetaObject::invokeMethod(this, "writerNews", Qt::QueuedConnection); });
    keeper_.setResumedListener([this] {
        notKept_ = {};
        parts_.window.showNotKeptNotice({});
        parts_.news.show(OperatorLineText::ListsKeptAgain());
        emit storeOpened();
    });
}

KeptListsController::~KeptListsController()
{
    if (writer_)
        writer_->setNewsListener({});
}

void KeptListsController::openLater()
{
    if (!writer_)
        return;
    // After the window is on the screen: opening a new store syncs the disk
    // several times, and the operator sees the window meanwhile.
    QTimer::singleShot(0, this, [this] {
        if (!parts_.window.isVisible() || parts_.window.painted()) {
            open();
            return;
        }
        connect(&parts_.window, &MainWindow::firstPainted, this,
                [this] { QTimer::singleShot(0, this, &KeptListsController::open); }, Qt::SingleShotConnection);
        // A window the system never draws does not keep the lists from opening.
        QTimer::singleShot(OpenAtTheLatestMs, this, &KeptListsController::open);
    });
}

void KeptListsController::keep()
{
    keepDue_ = false;
    keeper_.sync(parts_.state.records.table(), parts_.state.format.TimeDisplayMode);
    updateActions();
}

bool KeptListsController::beginNewList()
{
    const bool earlierKept = keeper_.keeping() && keeper_.listOnScreen().has_value();
    keeper_.beginNewList();
    marks_.clear();
    updateActions();
    return earlierKept;
}

void KeptListsController::startUpEnded()
{
    if (const auto list = std::exchange(bringBackAfterStartUp_, std::nullopt))
        bringBack(*list);
}

bool KeptListsController::finishWriting()
{
    if (!keeper_.writing())
        return true;
    parts_.news.show(OperatorLineText::WritingListsBeforeTheEnd());
    parts_.window.repaint();
    const bool written = keeper_.waitUntilWritten(parts_.endWaitMs);
    keeper_.takeNews();
    return written;
}

bool KeptListsController::mayEnd()
{
    // What the writer was handed reaches the disk first, however slow it is.
    if (!finishWriting() && !parts_.prompt.confirm(OperatorLineText::ExitWhileStillWriting()))
        return false;
    // The one question the program adds: records that would be lost.
    const bool noList = parts_.state.records.table().RecordCount == 0;
    return !keeper_.stopped() || (noList && !keeper_.eventDue())
        || parts_.prompt.confirm(noList ? OperatorLineText::ExitWhileStartListNotKept()
                                        : OperatorLineText::ExitWhileNotKept(),
                                 OperatorLineText::ListsNotKept(notKept_, writer_->folder()).spelled());
}

void KeptListsController::open()
{
    if (!std::exchange(openTried_, true))
        keeper_.open();
}

void KeptListsController::opened(const ListStore::Opening& opening)
{
    // A lock another computer left (a home on a stick, a network drive) is
    // never a bar for ever: the operator knows whether that copy still runs.
    if (opening.trouble == StoreTrouble::HeldElsewhere && !std::exchange(takeOverAsked_, true)
        && parts_.prompt.confirm(OperatorLineText::TakeOverQuestion(opening), OperatorLineText::TakeOverDetail())) {
        keeper_.open(true);
        return;
    }
    const auto asked = std::exchange(afterOpening_, std::nullopt);
    if (opening.trouble != StoreTrouble::None) {
        notKept_ = opening;
        showNotKept();
    }
    if (opening.open) {
        keep();
        emit storeOpened();
    }
    offerKeptList(opening);
    if (asked)
        actionClicked(*asked);
}

void KeptListsController::offerKeptList(const ListStore::Opening& opening)
{
    // Offered, never put on screen unasked; not over a download begun meanwhile.
    const auto lists = keeper_.lists();
    const auto offered = listToBringBack(lists);
    if (!opening.open || offered == lists.end() || parts_.state.records.table().RecordCount > 0
        || parts_.download.running())
        return;
    parts_.news.show(
        OperatorLineText::KeptListOffered(*offered, parts_.window.keysOf(MainWindow::ListAction::BringBack)));
}

std::vector<KeptListSummary>::const_iterator
KeptListsController::listToBringBack(const std::vector<KeptListSummary>& lists) const
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

void KeptListsController::showNotKept()
{
    const OperatorLineText::PathNews news = OperatorLineText::ListsNotKept(notKept_, writer_->folder());
    parts_.news.show(news);
    // A set-aside store is news; lists not kept are a state that stays.
    if (!notKept_.open)
        parts_.window.showNotKeptNotice(news.spelled());
}

void KeptListsController::actionClicked(MainWindow::ListAction action)
{
    const bool asksTheStore = action == MainWindow::ListAction::BringBack || action == MainWindow::ListAction::KeptLists;
    if (asksTheStore && writer_ && !openSettled()) {
        afterOpening_ = action;
        parts_.news.show(action == MainWindow::ListAction::BringBack ? OperatorLineText::BringBackAfterTheOpening()
                                                                     : OperatorLineText::ListsAfterTheOpening());
        return;
    }
    switch (action) {
    case MainWindow::ListAction::BringBack: {
        const auto lists = keeper_.lists();
        const auto last = listToBringBack(lists);
        if (last != lists.end())
            bringBack(last->id);
        else if (!lists.empty())
            parts_.news.show(OperatorLineText::OnlyKeptListOnScreen());
        else
            tellNoneRead();
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

void KeptListsController::tellNoneRead()
{
    // Lists there may be, but none can be read now.
    if (keeper_.stopped())
        showNotKept();
    else if (keeper_.lastReadLate())
        parts_.news.show(OperatorLineText::KeptListsSlowToAnswer());
    else
        parts_.news.show(OperatorLineText::NoKeptList());
}

void KeptListsController::showKeptLists()
{
    const auto lists = keeper_.lists();
    if (lists.empty()) {
        tellNoneRead();
        return;
    }
    if (!window_) {
        window_ = new KeptListsWindow(&parts_.window);
        connect(window_, &KeptListsWindow::listChosen, this, &KeptListsController::bringBack);
    }
    window_->showLists(lists, keeper_.listOnScreen().value_or(0));
    window_->open();
}

void KeptListsController::bringBack(std::int64_t list)
{
    // The start-up empties the table after its read: the list comes after it.
    if (!parts_.download.started()) {
        bringBackAfterStartUp_ = list;
        parts_.news.show(OperatorLineText::BringBackAfterTheStartUp());
        return;
    }
    if (parts_.download.running()) {
        parts_.news.show(OperatorLineText::BringBackAfterTheDownload());
        return;
    }
    TimerState& state = parts_.state;
    SortChoice sort = SortChoice::None;
    RecordTableState kept;
    const auto summary = keeper_.bringBack(list, kept, state.format.TimeDisplayMode, sort);
    if (!summary) {
        parts_.news.show(OperatorLineText::KeptListUnreadable());
        return;
    }
    state.records.putBack(kept);
    marks_.clear();
    // The rows in the order they were left, on the last page as a download leaves it.
    const int count = state.records.table().RecordCount;
    const int last = count < VisibleRecordRows ? 0 : count - VisibleRecordRows;
    parts_.window.scrollBar().setMaximum(last);
    parts_.window.scrollBar().setValue(last);
    state.view.SortRequest = SortChoice::None;
    parts_.results.DrawColumnHeadings();
    parts_.results.RefreshResults(count);
    parts_.news.show(OperatorLineText::ListBroughtBack(*summary));
    updateActions();
}

void KeptListsController::stepMark(bool back)
{
    const auto c = back ? marks_.undo() : marks_.redo();
    if (!c) {
        parts_.news.show(back ? OperatorLineText::NothingToUndo() : OperatorLineText::NothingToRedo());
        return;
    }
    parts_.news.show(back ? OperatorLineText::MarkUndone(c->record, bibOf(c->record), c->after,
                                                         parts_.window.keysOf(MainWindow::ListAction::Redo))
                          : OperatorLineText::MarkRedone(c->record, bibOf(c->record), c->after));
}

void KeptListsController::setMark(int record, int mark)
{
    parts_.state.records.setMark(record, mark);
    // A line off the page comes into view, so the operator sees what changed.
    parts_.results.bringIntoView(parts_.state.records.table().rowOfRecord(record));
    parts_.results.showFiledRecords();
    keep();
}

int KeptListsController::bibOf(int record) const
{
    const RecordTableState& table = parts_.state.records.table();
    return ReadRecordValues(table.RecordTable[static_cast<std::size_t>(table.rowOfRecord(record))], 0).bib;
}

void KeptListsController::updateActions()
{
    const auto step = [this](const std::optional<MarkHistory::Change>& c) -> std::optional<MainWindow::MarkStep> {
        if (!c)
            return std::nullopt;
        return MainWindow::MarkStep{c->record, bibOf(c->record)};
    };
    parts_.window.showMarkSteps(step(marks_.nextUndo()), step(marks_.nextRedo()));
    parts_.window.listAction(MainWindow::ListAction::BringBack).setEnabled(!parts_.download.running());
}

QString KeptListsController::lastExportFolder() const
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
