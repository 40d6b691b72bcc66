#pragma once

#include "lists/list_store.h"

#include <functional>
#include <memory>
#include <optional>

// The store on a thread of its own, so that no sync of the disk holds the
// window: changes are handed over in order, and what came while the last
// write was being synced is written next as one transaction, with one sync.
// A write that fails closes the store; what was handed over after it is
// dropped until the store is opened again (the keeper writes all it holds
// then). Reads wait for what was handed over before them, for a bounded time.
class StoreWriter {
public:
    using Job = std::function<bool(ListStore&)>;
    // How long a read waits for the writes before it and for its answer.
    static constexpr int ReadWaitMs = 3000;
    // How long the end of the program waits for what was handed over; a disk
    // that holds it longer is left to the system as the process ends.
    static constexpr int EndWaitMs = 5000;

    explicit StoreWriter(std::unique_ptr<ListStore> store);
    ~StoreWriter();
    StoreWriter(const StoreWriter&) = delete;
    StoreWriter& operator=(const StoreWriter&) = delete;

    QString folder() const { return folder_; }

    // False from the job: the write failed, and the store's words say why.
    // With `tellWritten`, its commit is news.
    void write(Job job, bool tellWritten = false);
    // Opens the store, or takes over the lock a copy on another computer left;
    // the answer comes as news. `list` is looked for in the store opened.
    void open(bool takeOver, std::optional<std::int64_t> list);
    // The job's answer once everything handed over before it has been
    // written; none when that took longer than `waitMs`.
    template <typename T>
    std::optional<T> read(std::function<T(ListStore&)> job, int waitMs = ReadWaitMs)
    {
        auto answer = std::make_shared<std::optional<T>>();
        if (!readAndWait([answer, job = std::move(job)](ListStore& store) { *answer = job(store); }, waitMs))
            return std::nullopt;
        return std::move(*answer);
    }
    // True once everything handed over has been written, or dropped after a
    // failed write; false when that took longer than `waitMs`.
    bool waitUntilWritten(int waitMs);
    // Something handed over is not yet written.
    bool writing() const;

    struct Opened {
        ListStore::Opening opening;
        // The id the next new list takes.
        std::int64_t nextList = 1;
        bool listFound = false;
    };
    struct News {
        std::optional<Opened> opened;
        // SQLite's or the system's words for the write that failed.
        std::optional<QString> failed;
        // A write to be told of is on the disk.
        bool written = false;
    };
    // What happened since last asked: an opening ended, a write failed.
    News takeNews();
    // Called on the writer's thread whenever there is news; never after
    // this was set anew.
    void setNewsListener(std::function<void()> listener);

private:
    bool readAndWait(std::function<void(ListStore&)> job, int waitMs);

    // Shared with the thread, which a disk that never answers keeps past
    // the end of this object.
    struct Shared;
    std::shared_ptr<Shared> shared_;
    QString folder_;
};
