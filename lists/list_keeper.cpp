#include "lists/list_keeper.h"

#include "lists/store_writer.h"

#include <algorithm>
#include <chrono>
#include <utility>

namespace {

// The row each record number is in, read off the table once.
std::array<int, RecordTableState::Rows> RowsOfRecords(const RecordTableState& table)
{
    std::array<int, RecordTableState::Rows> rows{};
    for (int row = 0; row < RecordTableState::Rows; ++row)
        rows[static_cast<std::size_t>(table.RecordTable[static_cast<std::size_t>(row)][RecordField::Sequence] & 0xff)] = row;
    return rows;
}

// A record as the list keeps it; none for a number that has nothing.
std::optional<KeptRecord> KeptOf(const RecordTableState& table, int number, int row)
{
    const auto& fields = table.RecordTable[static_cast<std::size_t>(row)];
    const auto& frame = table.unitFrames[static_cast<std::size_t>(number)];
    if (!frame.filed && table.rowIsEmpty(row))
        return std::nullopt;
    KeptRecord kept{.number = number, .mark = fields[RecordField::MarkState]};
    if (frame.filed) {
        kept.bytes = frame.bytes;
    } else {
        for (int b = 0; b < RecordField::StoredRecordBytes; ++b)
            kept.bytes[static_cast<std::size_t>(b)] = static_cast<std::uint8_t>(fields[static_cast<std::size_t>(b)]);
    }
    return kept;
}

KeptOrder OrderOf(const RecordTableState& table)
{
    KeptOrder order{};
    for (std::size_t row = 0; row < order.size(); ++row)
        order[row] = static_cast<std::uint8_t>(table.RecordTable[row][RecordField::Sequence]);
    return order;
}

bool IsPermutation(const KeptOrder& order)
{
    std::array<bool, 256> seen{};
    for (std::uint8_t n : order) {
        if (seen[n])
            return false;
        seen[n] = true;
    }
    return true;
}

} // namespace

void ListKeeper::sync(const RecordTableState& table, TimeDisplay display) { look(table, display); }

void ListKeeper::changed(const Records::Change& change)
{
    using Kind = Records::Change::Kind;
    switch (change.kind) {
    case Kind::Filed:
    case Kind::Marked:
        for (int number : change.records)
            if (number >= 0 && number < RecordTableState::Rows)
                named_[static_cast<std::size_t>(number)] = true;
        return;
    case Kind::Reordered:
        reordered_ = true;
        return;
    case Kind::Emptied:
    case Kind::Replaced:
        lookAtEvery_ = true;
        return;
    }
}

std::int64_t ListKeeper::SteadyMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void ListKeeper::open(bool takeOver)
{
    if (!writer_)
        return;
    opening_ = true;
    writer_->open(takeOver, current_);
}

void ListKeeper::takeNews()
{
    if (!writer_)
        return;
    StoreWriter::News news = writer_->takeNews();
    if (news.opened)
        opened(news.opened->opening, news.opened->nextList, news.opened->listFound);
    if (news.failed && open_)
        fail(*news.failed);
    if (news.written && open_ && std::exchange(awaitingResumed_, false)) {
        toldStopped_ = false;
        if (resumed_)
            resumed_();
    }
}

bool ListKeeper::waitUntilWritten(int waitMs) { return !writer_ || writer_->waitUntilWritten(waitMs); }

bool ListKeeper::writing() const { return writer_ && writer_->writing(); }

void ListKeeper::opened(const ListStore::Opening& opening, std::int64_t nextList, bool listFound)
{
    opening_ = false;
    const bool mended = std::exchange(mending_, false);
    triedAtMs_ = nowMs_();
    if (!opening.open) {
        stopped_ = true;
        // The opening's own trouble is told by whoever asked for it.
        toldStopped_ = toldStopped_ || !mended;
        if (!mended && opened_)
            opened_(opening);
        return;
    }
    open_ = true;
    stopped_ = false;
    nextList_ = nextList;
    // A new store (the folder was made again) has not the list on screen: it
    // is kept there as a list of its own.
    if (current_ && !listFound)
        current_.reset();
    // Records filed before the store was there, or while it was not, are kept now.
    writeAll_ = true;
    resuming_ = resuming_ || mended;
    if (!mended && opened_)
        opened_(opening);
}

void ListKeeper::mendIfDue()
{
    if (!writer_ || !stopped_ || opening_ || nowMs_() - triedAtMs_ < RetryMs)
        return;
    triedAtMs_ = nowMs_();
    mending_ = true;
    open();
}

void ListKeeper::look(const RecordTableState& table, TimeDisplay display)
{
    takeNews();
    mendIfDue();
    display_ = display;
    const auto rows = RowsOfRecords(table);
    KeptListChange change;
    bool changed = false;
    // After a store opened or came back, all it may have missed.
    const bool all = writeAll_ && keeping();
    writeAll_ = writeAll_ && !all;
    // Only the records a change named, unless the whole table may have changed.
    const bool every = std::exchange(lookAtEvery_, false) || all;
    const auto named = std::exchange(named_, {});
    for (int number = 0; number < RecordTableState::Rows; ++number) {
        if (!every && !named[static_cast<std::size_t>(number)])
            continue;
        auto& was = shadow_[static_cast<std::size_t>(number)];
        const std::optional<KeptRecord> now = KeptOf(table, number, rows[static_cast<std::size_t>(number)]);
        if (!now || (now == was && !all))
            continue;
        change.records.push_back(*now);
        was = now;
        changed = true;
    }
    const KeptOrder order = OrderOf(table);
    if (std::exchange(reordered_, false) || every)
        changed = changed || all || order != shadowOrder_;
    shadowOrder_ = order;
    const bool settingsChanged =
        sort_ != writtenSort_ || display != writtenDisplay_ || table.ReportedRecordCount != writtenReported_;
    // An empty table is no list.
    if ((changed || settingsChanged) && (current_ || !change.records.empty())) {
        change.reportedCount = table.ReportedRecordCount;
        change.sort = static_cast<int>(sort_);
        change.display = static_cast<int>(display);
        change.order = order;
        writtenSort_ = sort_;
        writtenDisplay_ = display;
        writtenReported_ = table.ReportedRecordCount;
        write(change);
    }
    writeEventDue();
    // Said once what was on screen is on the disk.
    if (std::exchange(resuming_, false) && keeping()) {
        awaitingResumed_ = true;
        writer_->write([](ListStore&) { return true; }, true);
    }
}

template <typename T>
T ListKeeper::read(std::function<T(ListStore&)> job) const
{
    readLate_ = false;
    if (!keeping())
        return T{};
    std::optional<T> answer = writer_->read<T>(std::move(job));
    readLate_ = !answer;
    return answer ? std::move(*answer) : T{};
}

template std::vector<Entrant> ListKeeper::read(std::function<std::vector<Entrant>(ListStore&)>) const;
template ResultRules ListKeeper::read(std::function<ResultRules(ListStore&)>) const;

void ListKeeper::post(std::function<bool(ListStore&)> job)
{
    if (keeping())
        writer_->write(std::move(job));
}

void ListKeeper::write(const KeptListChange& change)
{
    if (!keeping())
        return;
    // The list's id is given here, so the window knows it at once.
    const bool begin = !current_;
    if (begin)
        current_ = nextList_++;
    KeptListChange toList = change;
    toList.list = *current_;
    post([toList, begin, downloaded = QDateTime::currentDateTime()](ListStore& store) {
        return (!begin || (store.beginList(toList.list, downloaded) && store.noteOnScreen(toList.list)))
            && store.write(toList);
    });
}

void ListKeeper::fail(const QString& why)
{
    open_ = false;
    awaitingResumed_ = false;
    stopped_ = true;
    triedAtMs_ = nowMs_();
    // What is on screen now is written in full when the store is back, and
    // the event's changes dropped with the failed write are written again.
    writeAll_ = true;
    if (entrantsAsked_ && !entrantsDue_)
        entrantsDue_ = entrantsAsked_;
    if (rulesAsked_ && !rulesDue_)
        rulesDue_ = rulesAsked_;
    readsDue_.merge(std::map(readsAsked_));
    if (!std::exchange(toldStopped_, true) && failed_)
        failed_(why);
}

void ListKeeper::beginNewList()
{
    current_.reset();
    readsDue_.clear();
    readsAsked_.clear();
    counted_.clear();
    shadow_.fill(std::nullopt);
    shadowOrder_.reset();
    writtenReported_ = 0;
}

void ListKeeper::noteExported(const QString& path)
{
    if (current_)
        post([list = *current_, path, when = QDateTime::currentDateTime()](ListStore& store) {
            return store.noteExported(list, path, when);
        });
}

void ListKeeper::notePrinted(std::optional<std::int64_t> list, const QString& printer)
{
    if (list)
        post([list = *list, printer, when = QDateTime::currentDateTime()](ListStore& store) {
            return store.notePrinted(list, printer, when);
        });
}

std::optional<std::int64_t> ListKeeper::listLeftOnScreen() const
{
    return read<std::optional<std::int64_t>>([](ListStore& store) { return store.listLeftOnScreen(); });
}

std::vector<KeptListSummary> ListKeeper::lists() const
{
    return read<std::vector<KeptListSummary>>([](ListStore& store) { return store.lists(); });
}

std::optional<KeptListSummary> ListKeeper::bringBack(std::int64_t list, RecordTableState& table, TimeDisplay& display,
                                                     SortChoice& sort)
{
    using Read = std::pair<std::optional<KeptList>, std::map<int, int>>;
    auto [kept, counted] =
        read<Read>([list](ListStore& store) { return Read{store.load(list), store.countedReads(list)}; });
    if (!kept)
        return std::nullopt;
    table.clearRecords();
    if (IsPermutation(kept->order)) {
        for (std::size_t row = 0; row < kept->order.size(); ++row)
            table.RecordTable[row][RecordField::Sequence] = kept->order[row];
    } else {
        table.resetSequenceNumbers();
    }
    const auto rows = RowsOfRecords(table);
    int highest = 0;
    for (const KeptRecord& r : kept->records) {
        if (r.number < 0 || r.number >= RecordTableState::Rows)
            continue;
        auto& fields = table.RecordTable[static_cast<std::size_t>(rows[static_cast<std::size_t>(r.number)])];
        for (int b = 0; b < RecordField::StoredRecordBytes; ++b)
            fields[static_cast<std::size_t>(b)] = r.bytes[static_cast<std::size_t>(b)];
        // Filed again as the unit's frame was: its bad bib digits read as 0.
        RepairBibDigits(fields);
        fields[RecordField::MarkState] = std::clamp(r.mark, 0, 2);
        table.unitFrames[static_cast<std::size_t>(r.number)] = {.filed = true, .bytes = r.bytes};
        highest = std::max(highest, r.number);
    }
    table.RecordCount = static_cast<std::int16_t>(highest);
    table.ReportedRecordCount = static_cast<std::int16_t>(kept->summary.reportedCount);

    const auto shownSort = static_cast<SortChoice>(kept->summary.sort);
    sort = shownSort >= SortChoice::None && shownSort <= SortChoice::BySequence ? shownSort : SortChoice::None;
    display = kept->summary.display == static_cast<int>(TimeDisplay::TimeOfDay) ? TimeDisplay::TimeOfDay
                                                                                 : TimeDisplay::Seconds;
    // What is on screen now is what the store holds: nothing to write.
    beginNewList();
    current_ = list;
    counted_ = std::move(counted);
    post([list](ListStore& store) { return store.noteOnScreen(list); });
    sort_ = writtenSort_ = sort;
    display_ = writtenDisplay_ = display;
    writtenReported_ = table.ReportedRecordCount;
    for (int number = 0; number < RecordTableState::Rows; ++number)
        shadow_[static_cast<std::size_t>(number)] = KeptOf(table, number, rows[static_cast<std::size_t>(number)]);
    shadowOrder_ = OrderOf(table);
    return kept->summary;
}
