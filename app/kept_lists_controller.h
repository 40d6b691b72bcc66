#pragma once

#include "app/main_window.h"
#include "app/mark_history.h"
#include "app/shared_parts.h"
#include "app/timer_state.h"
#include "lists/list_keeper.h"
#include "lists/list_store.h"
#include "lists/store_writer.h"
#include "records/clock.h"

#include <QObject>

#include <memory>
#include <optional>

class DownloadController;
class KeptListsWindow;
class OperatorNews;
class OperatorPrompt;
class ResultsView;

// The kept lists: the store on disk and what it is told, the offer of a
// kept list at start, bringing one back, the window of every kept list, and
// undo and redo of the marks (`MarkHistory`). Without a folder nothing is
// kept, and undo and redo still work.
class KeptListsController : public QObject {
    Q_OBJECT
public:
    static constexpr int EndWaitMs = 10000;
    struct Parts : SharedParts {
        const DownloadController& download;
        Clock& clock;
        QString folder;
        // How long the end waits for the disk to take what was handed to it.
        int endWaitMs = EndWaitMs;
    };
    explicit KeptListsController(const Parts& parts);
    ~KeptListsController() override;

    // Opens the store, from the event loop once the window is on the screen
    // (at the latest after OpenAtTheLatestMs), and offers the list left on screen.
    static constexpr int OpenAtTheLatestMs = 1000;
    void openLater();
    // What the table holds now goes to the store, and the menu follows it.
    void keep();
    void sortChosen(SortChoice sort) { keeper_.sortChosen(sort); }
    // The table was emptied for a download. True when the list that went
    // from the screen is kept.
    bool beginNewList();
    // The start-up has ended: a list asked for meanwhile comes now.
    void startUpEnded();
    void actionClicked(MainWindow::ListAction action);
    // Shows a kept list in the window, as it was left.
    void bringBack(std::int64_t list);
    // True when the program may end: nothing would be lost, or the operator
    // said to end all the same. What was handed to the store's writer is
    // waited for first (finishWriting).
    bool mayEnd();
    // Waits, saying so on the line, until the disk has taken everything
    // handed to the store's writer, at most the parts' endWaitMs; true once it has.
    bool finishWriting();
    // The store was asked to open, and its answer has been taken.
    bool openSettled() const { return openTried_ && !keeper_.opening(); }
    // The menu's items as the program stands: undo and redo with what they
    // would do, Bring Back greyed while a download runs.
    void updateActions();

    std::optional<std::int64_t> listOnScreen() const { return keeper_.listOnScreen(); }
    void noteExported(const QString& path) { keeper_.noteExported(path); }
    void notePrinted(std::optional<std::int64_t> list, const QString& printer) { keeper_.notePrinted(list, printer); }
    // The folder of the newest export of any kept list; empty when none.
    QString lastExportFolder() const;
    ListKeeper& keeper() { return keeper_; }
    // The kept lists' window, once it was asked for; the main window owns it.
    KeptListsWindow* window() { return window_; }

signals:
    // The store has opened, or come back after it stopped.
    void storeOpened();

private:
    // The store's writer has news; called by name from its thread.
    Q_INVOKABLE void writerNews() { keep(); }
    void open();
    void opened(const ListStore::Opening& opening);
    void offerKeptList(const ListStore::Opening& opening);
    void showNotKept();
    void showKeptLists();
    // No kept list was read: why, as far as it is known.
    void tellNoneRead();
    void stepMark(bool back);
    // A mark put back by undo or redo: shown where the operator sees it, and kept.
    void setMark(int record, int mark);
    int bibOf(int record) const;
    // What Bring Back brings back now; `lists.end()` when nothing.
    std::vector<KeptListSummary>::const_iterator listToBringBack(const std::vector<KeptListSummary>& lists) const;

    Parts parts_;
    std::unique_ptr<StoreWriter> writer_;
    ListKeeper keeper_;
    MarkHistory marks_;
    // Asked for while the start-up was on its way: brought back once it ends.
    std::optional<std::int64_t> bringBackAfterStartUp_;
    // Asked for while the store was being opened: carried out once it is.
    std::optional<MainWindow::ListAction> afterOpening_;
    // Why the lists are not kept, once the store said so.
    ListStore::Opening notKept_;
    KeptListsWindow* window_ = nullptr;
    // A change was told and is not yet written.
    bool keepDue_ = false;
    // The store was opened once; from then on the keeper tries again itself.
    bool openTried_ = false;
    bool takeOverAsked_ = false;
};
