#include "lists/store_writer.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace {

struct Task {
    enum class Kind { Write, Open, Read } kind = Kind::Write;
    StoreWriter::Job job;
    std::function<void(ListStore&)> read;
    bool takeOver = false;
    bool tellWritten = false;
    std::optional<std::int64_t> list;
    std::uint64_t number = 0;
};

} // namespace

struct StoreWriter::Shared {
    std::mutex lock;
    std::condition_variable handed;
    std::condition_variable done;
    std::deque<Task> tasks;
    std::uint64_t handedOver = 0;
    std::uint64_t finished = 0;
    bool ending = false;
    // The thread has let the store go: its lock is free for the next run.
    bool ended = false;
    News news;
    std::mutex listenerLock;
    std::function<void()> listener;
    // Used on the writer's thread only.
    std::unique_ptr<ListStore> store;

    void run();
    void tell()
    {
        const std::lock_guard held(listenerLock);
        if (listener)
            listener();
    }
    // Runs the tasks taken; true when there is news.
    bool carryOut(std::vector<Task>& taken);
    bool writeAll(std::vector<Task>& writes);
};

void StoreWriter::Shared::run()
{
    for (;;) {
        std::vector<Task> taken;
        {
            std::unique_lock held(lock);
            handed.wait(held, [this] { return ending || !tasks.empty(); });
            if (tasks.empty())
                return;
            // The writes that came while the last one was synced go as one.
            const bool writes = tasks.front().kind == Task::Kind::Write;
            do {
                taken.push_back(std::move(tasks.front()));
                tasks.pop_front();
            } while (writes && !tasks.empty() && tasks.front().kind == Task::Kind::Write);
        }
        const bool news = carryOut(taken);
        {
            const std::lock_guard held(lock);
            finished = taken.back().number;
        }
        done.notify_all();
        if (news)
            tell();
    }
}

bool StoreWriter::Shared::carryOut(std::vector<Task>& taken)
{
    Task& first = taken.front();
    switch (first.kind) {
    case Task::Kind::Write:
        return writeAll(taken);
    case Task::Kind::Read:
        first.read(*store);
        return false;
    case Task::Kind::Open: {
        Opened opened{.opening = first.takeOver ? store->takeOver() : store->open()};
        if (opened.opening.open) {
            opened.nextList = store->nextListId();
            opened.listFound = first.list && store->hasList(*first.list);
        }
        const std::lock_guard held(lock);
        news.opened = std::move(opened);
        return true;
    }
    }
    return false;
}

bool StoreWriter::Shared::writeAll(std::vector<Task>& writes)
{
    // Closed by a failed write: nothing is written until it is opened again.
    if (!store->isOpen())
        return false;
    // A store whose folder was removed would take writes into a file no one
    // will find again.
    bool ok = store->stillThere();
    if (ok)
        ok = store->transaction([&] {
            for (Task& w : writes)
                if (!w.job(*store))
                    return false;
            return true;
        });
    if (ok) {
        if (std::none_of(writes.begin(), writes.end(), [](const Task& w) { return w.tellWritten; }))
            return false;
        const std::lock_guard held(lock);
        news.written = true;
        return true;
    }
    const QString why = store->lastError();
    store->close();
    const std::lock_guard held(lock);
    if (!news.failed)
        news.failed = why;
    return true;
}

StoreWriter::StoreWriter(std::unique_ptr<ListStore> store)
    : shared_(std::make_shared<Shared>()), folder_(store->folder())
{
    shared_->store = std::move(store);
    std::thread([shared = shared_] {
        shared->run();
        shared->store.reset();
        {
            const std::lock_guard held(shared->lock);
            shared->ended = true;
        }
        shared->done.notify_all();
    }).detach();
}

StoreWriter::~StoreWriter()
{
    setNewsListener({});
    std::unique_lock held(shared_->lock);
    shared_->ending = true;
    shared_->handed.notify_all();
    shared_->done.wait_for(held, std::chrono::milliseconds(EndWaitMs), [this] { return shared_->ended; });
}

void StoreWriter::write(Job job, bool tellWritten)
{
    {
        const std::lock_guard held(shared_->lock);
        Task& task = shared_->tasks.emplace_back();
        task.job = std::move(job);
        task.tellWritten = tellWritten;
        task.number = ++shared_->handedOver;
    }
    shared_->handed.notify_all();
}

void StoreWriter::open(bool takeOver, std::optional<std::int64_t> list)
{
    {
        const std::lock_guard held(shared_->lock);
        Task& task = shared_->tasks.emplace_back();
        task.kind = Task::Kind::Open;
        task.takeOver = takeOver;
        task.list = list;
        task.number = ++shared_->handedOver;
    }
    shared_->handed.notify_all();
}

bool StoreWriter::readAndWait(std::function<void(ListStore&)> job, int waitMs)
{
    std::unique_lock held(shared_->lock);
    const std::uint64_t number = ++shared_->handedOver;
    Task& task = shared_->tasks.emplace_back();
    task.kind = Task::Kind::Read;
    task.read = std::move(job);
    task.number = number;
    shared_->handed.notify_all();
    return shared_->done.wait_for(held, std::chrono::milliseconds(waitMs),
                                  [&] { return shared_->finished >= number; });
}

bool StoreWriter::waitUntilWritten(int waitMs)
{
    std::unique_lock held(shared_->lock);
    const std::uint64_t last = shared_->handedOver;
    return shared_->done.wait_for(held, std::chrono::milliseconds(waitMs),
                                  [&] { return shared_->finished >= last; });
}

bool StoreWriter::writing() const
{
    const std::lock_guard held(shared_->lock);
    return shared_->finished < shared_->handedOver;
}

StoreWriter::News StoreWriter::takeNews()
{
    const std::lock_guard held(shared_->lock);
    return std::exchange(shared_->news, {});
}

void StoreWriter::setNewsListener(std::function<void()> listener)
{
    const std::lock_guard held(shared_->listenerLock);
    shared_->listener = std::move(listener);
}
