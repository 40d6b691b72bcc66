#pragma once

#include "lists/kept_list.h"
#include "presentation/format_state.h"
#include "presentation/view_state.h"
#include "records/record_table.h"

#include <functional>
#include <optional>
#include <vector>

class ListStore;

// Keeps the list on screen in the store: after every event, what changed in
// the record table since the last look is written as one change. It also
// holds the steps of the operator's marks, for undo and redo, kept in the
// store like a click. Without a store (or once it failed) nothing is written,
// and undo and redo still work.
class ListKeeper {
public:
    explicit ListKeeper(ListStore* store) : store_(store) {}

    // Told once, with the store's words, when a write failed and the lists
    // are no longer kept.
    void setWriteFailedListener(std::function<void(const QString&)> failed) { failed_ = std::move(failed); }

    // What the table holds now goes to the store; a mark that changed since
    // the last look is a step that can be undone.
    void sync(const RecordStore& table, TimeDisplay display);
    void sortChosen(SortChoice sort) { sort_ = sort; }
    // The table was emptied for a download: the records that come next
    // begin a new list.
    void beginNewList();
    // The store has just opened: the next look writes all the table holds.
    void storeOpened();
    void noteExported(const QString& path);
    // A print ends after it was asked for: it belongs to the list that was
    // on screen then.
    void notePrinted(std::optional<std::int64_t> list, const QString& printer);
    bool keeping() const;

    // Newest first: lists with records.
    std::vector<KeptListSummary> lists() const;
    // The table, display and sort as the list left them; the list is the one
    // on screen from now on. Empty when the store does not have it.
    std::optional<KeptListSummary> bringBack(std::int64_t list, RecordStore& table, TimeDisplay& display,
                                             SortChoice& sort);
    std::optional<std::int64_t> listOnScreen() const { return current_; }

    struct MarkChange {
        int record = 0;
        int before = 0;
        int after = 0;
    };
    // The mark changes of one step, as they are now in the table; empty when
    // there is nothing to undo (or redo).
    std::vector<MarkChange> undo(RecordStore& table);
    std::vector<MarkChange> redo(RecordStore& table);
    // The first change of the step that undo (or redo) would take now.
    std::optional<MarkChange> nextUndo() const { return next(undo_); }
    std::optional<MarkChange> nextRedo() const { return next(redo_); }

private:
    using Step = std::vector<MarkChange>;
    static std::optional<MarkChange> next(const std::vector<Step>& steps)
    {
        if (steps.empty() || steps.back().empty())
            return std::nullopt;
        return steps.back().front();
    }
    // Writes what changed; a changed mark is a new step only when it was the operator's.
    void look(const RecordStore& table, TimeDisplay display, bool marksAreSteps);
    // Takes the last step of `from` onto `to`, its marks as before it (`back`) or after it.
    std::vector<MarkChange> step(std::vector<Step>& from, std::vector<Step>& to, bool back, RecordStore& table);
    void write(const KeptListChange& change);
    void fail();

    ListStore* store_;
    std::function<void(const QString&)> failed_;
    bool failedOnce_ = false;
    std::optional<std::int64_t> current_;
    // The table as it was last written, record by record.
    std::array<std::optional<KeptRecord>, RecordStore::Rows> shadow_{};
    std::optional<KeptOrder> shadowOrder_;
    SortChoice sort_ = SortChoice::None;
    SortChoice writtenSort_ = SortChoice::None;
    TimeDisplay display_ = TimeDisplay::Seconds;
    TimeDisplay writtenDisplay_ = TimeDisplay::Seconds;
    int writtenReported_ = 0;
    std::vector<Step> undo_;
    std::vector<Step> redo_;
};
