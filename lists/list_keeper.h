#pragma once

#include "entrants/event_rules.h"
#include "entrants/start_list.h"
#include "lists/kept_list.h"
#include "lists/list_store.h"
#include "presentation/format_state.h"
#include "presentation/view_state.h"
#include "records/records.h"

#include <functional>
#include <map>
#include <optional>
#include <vector>

class StoreWriter;

// Keeps the list on screen in the store: after every event, what the
// table's owner said changed since the last look is handed to the store's
// writer as one change. Without a writer nothing is written. A store that
// stopped (a full disk, a folder removed, a file another program holds,
// another copy of the program) is opened again every RetryMs at the next
// look, and once it opens everything on screen is written to it.
class ListKeeper {
public:
    static constexpr std::int64_t RetryMs = 2000;

    explicit ListKeeper(StoreWriter* writer, std::function<std::int64_t()> nowMs = SteadyMs)
        : writer_(writer), nowMs_(std::move(nowMs))
    {
    }

    // Told, with the store's words, when a write failed and the lists are no
    // longer kept; once, until keeping has resumed.
    void setWriteFailedListener(std::function<void(const QString&)> failed) { failed_ = std::move(failed); }
    // Told when a store that had stopped takes every change again.
    void setResumedListener(std::function<void()> resumed) { resumed_ = std::move(resumed); }
    // Told how the opening asked for by open() went. One that failed is
    // tried again from the next look on.
    void setOpenedListener(std::function<void(const ListStore::Opening&)> opened) { opened_ = std::move(opened); }
    // Opens the store, or takes over the lock a copy on another computer left.
    void open(bool takeOver = false);
    // An opening asked for by open() has not been told yet (the keeper's own
    // openings after keeping stopped are not counted).
    bool opening() const { return opening_ && !mending_; }
    // Keeping has stopped and is being tried again.
    bool stopped() const { return stopped_; }
    // The last read found nothing because the disk did not answer in time.
    bool lastReadLate() const { return readLate_; }
    // What the writer has to tell: an opening, a write that failed. Every look
    // takes it first.
    void takeNews();
    // Everything handed to the writer is on the disk, or was dropped after a
    // failed write (then told at the next look); false after `waitMs`.
    bool waitUntilWritten(int waitMs);
    // Something handed to the writer is not yet on the disk.
    bool writing() const;

    // What the table's owner said changed.
    void changed(const Records::Change& change);
    // What changed since the last look goes to the store: the records named,
    // the order, the sort, the time display and the unit's count.
    void sync(const RecordTableState& table, TimeDisplay display);
    void sortChosen(SortChoice sort) { sort_ = sort; }
    // The table was emptied for a download: the records that come next
    // begin a new list.
    void beginNewList();
    void noteExported(const QString& path);
    // A print ends after it was asked for: it belongs to the list that was
    // on screen then.
    void notePrinted(std::optional<std::int64_t> list, const QString& printer);
    bool keeping() const { return writer_ && open_; }

    // Newest first: lists with records.
    std::vector<KeptListSummary> lists() const;
    // The table, display and sort as the list left them; the list is the one
    // on screen from now on. Empty when the store does not have it.
    std::optional<KeptListSummary> bringBack(std::int64_t list, RecordTableState& table, TimeDisplay& display,
                                             SortChoice& sort);
    std::optional<std::int64_t> listOnScreen() const { return current_; }
    // The list the window showed when the program last ended, however it ended.
    std::optional<std::int64_t> listLeftOnScreen() const;

    // The event's entrants, its rules and which read of a bib counts in the
    // list on screen: written at once, or as soon as the store takes writes
    // again, as the list's changes are.
    void keepEntrants(std::vector<Entrant> entrants);
    void keepRules(const ResultRules& rules);
    void keepCountedRead(int bib, std::optional<int> record);
    // Some of them wait for the store to take writes again.
    bool eventDue() const { return entrantsDue_ || rulesDue_ || !readsDue_.empty(); }
    // As the store has them; empty while it is not open.
    std::vector<Entrant> keptEntrants() const;
    ResultRules keptRules() const;
    std::map<int, int> countedReads() const { return counted_; }

private:
    // Writes the event's changes that wait.
    void writeEventDue();
    // Writes what changed.
    void look(const RecordTableState& table, TimeDisplay display);
    void write(const KeptListChange& change);
    void post(std::function<bool(ListStore&)> job);
    // What the store answers once it has what was handed over; nothing while
    // it is not open or takes too long.
    template <typename T>
    T read(std::function<T(ListStore&)> job) const;
    void opened(const ListStore::Opening& opening, std::int64_t nextList, bool listFound);
    void fail(const QString& why);
    // Opens a store that stopped, when it is time to try again.
    void mendIfDue();
    static std::int64_t SteadyMs();

    StoreWriter* writer_;
    std::function<std::int64_t()> nowMs_;
    std::function<void(const QString&)> failed_;
    std::function<void()> resumed_;
    std::function<void(const ListStore::Opening&)> opened_;
    bool open_ = false;
    bool opening_ = false;
    mutable bool readLate_ = false;
    // The opening asked for is the keeper's own, after keeping stopped.
    bool mending_ = false;
    bool stopped_ = false;
    // The operator was told that keeping stopped, and not yet that it resumed.
    bool toldStopped_ = false;
    bool resuming_ = false;
    // Everything on screen was handed over after keeping resumed; told once it is on the disk.
    bool awaitingResumed_ = false;
    // The next look writes all the table holds, not only what changed.
    bool writeAll_ = false;
    std::int64_t triedAtMs_ = 0;
    std::optional<std::int64_t> current_;
    std::int64_t nextList_ = 1;
    // What changed since the last look, as the table's owner said.
    std::array<bool, RecordTableState::Rows> named_{};
    bool reordered_ = false;
    bool lookAtEvery_ = false;
    // The table as it was last written, record by record.
    std::array<std::optional<KeptRecord>, RecordTableState::Rows> shadow_{};
    std::optional<KeptOrder> shadowOrder_;
    SortChoice sort_ = SortChoice::None;
    SortChoice writtenSort_ = SortChoice::None;
    TimeDisplay display_ = TimeDisplay::Seconds;
    TimeDisplay writtenDisplay_ = TimeDisplay::Seconds;
    int writtenReported_ = 0;
    std::optional<std::vector<Entrant>> entrantsDue_;
    std::optional<ResultRules> rulesDue_;
    std::map<int, std::optional<int>> readsDue_;
    // Which read counts, bib by bib, in the list on screen: read with it.
    std::map<int, int> counted_;
    // As last asked for, written again when a write failed: the writer
    // drops what was handed over after it.
    std::optional<std::vector<Entrant>> entrantsAsked_;
    std::optional<ResultRules> rulesAsked_;
    std::map<int, std::optional<int>> readsAsked_;
};
