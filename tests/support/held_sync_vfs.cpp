#include "support/held_sync_vfs.h"

#include <sqlite3.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

struct Gate {
    std::mutex lock;
    std::condition_variable changed;
    bool held = false;
    int waiting = 0;
    int syncs = 0;
    int delayMs = 0;
};

// One for the process: a file opened through an earlier one goes on through it.
Gate theGate;
Gate* const gate = &theGate;
sqlite3_vfs* real = nullptr;
sqlite3_vfs held;
sqlite3_io_methods methods;

struct HeldFile {
    sqlite3_file base;
    sqlite3_file* file;
};

sqlite3_file* Real(sqlite3_file* f) { return reinterpret_cast<HeldFile*>(f)->file; }

int Sync(sqlite3_file* f, int flags)
{
    {
        std::unique_lock waitHere(gate->lock);
        ++gate->waiting;
        gate->changed.notify_all();
        gate->changed.wait(waitHere, [] { return !gate->held; });
        --gate->waiting;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(gate->delayMs));
    const int rc = Real(f)->pMethods->xSync(Real(f), flags);
    const std::lock_guard counted(gate->lock);
    ++gate->syncs;
    return rc;
}

void MakeMethods()
{
    methods.iVersion = 3;
    methods.xClose = [](sqlite3_file* f) { return Real(f)->pMethods->xClose(Real(f)); };
    methods.xRead = [](sqlite3_file* f, void* p, int n, sqlite3_int64 o) { return Real(f)->pMethods->xRead(Real(f), p, n, o); };
    methods.xWrite = [](sqlite3_file* f, const void* p, int n, sqlite3_int64 o) {
        return Real(f)->pMethods->xWrite(Real(f), p, n, o);
    };
    methods.xTruncate = [](sqlite3_file* f, sqlite3_int64 s) { return Real(f)->pMethods->xTruncate(Real(f), s); };
    methods.xSync = Sync;
    methods.xFileSize = [](sqlite3_file* f, sqlite3_int64* s) { return Real(f)->pMethods->xFileSize(Real(f), s); };
    methods.xLock = [](sqlite3_file* f, int l) { return Real(f)->pMethods->xLock(Real(f), l); };
    methods.xUnlock = [](sqlite3_file* f, int l) { return Real(f)->pMethods->xUnlock(Real(f), l); };
    methods.xCheckReservedLock = [](sqlite3_file* f, int* r) { return Real(f)->pMethods->xCheckReservedLock(Real(f), r); };
    methods.xFileControl = [](sqlite3_file* f, int op, void* a) { return Real(f)->pMethods->xFileControl(Real(f), op, a); };
    methods.xSectorSize = [](sqlite3_file* f) { return Real(f)->pMethods->xSectorSize(Real(f)); };
    methods.xDeviceCharacteristics = [](sqlite3_file* f) { return Real(f)->pMethods->xDeviceCharacteristics(Real(f)); };
    methods.xShmMap = [](sqlite3_file* f, int i, int s, int e, void volatile** p) {
        return Real(f)->pMethods->xShmMap(Real(f), i, s, e, p);
    };
    methods.xShmLock = [](sqlite3_file* f, int o, int n, int fl) { return Real(f)->pMethods->xShmLock(Real(f), o, n, fl); };
    methods.xShmBarrier = [](sqlite3_file* f) { Real(f)->pMethods->xShmBarrier(Real(f)); };
    methods.xShmUnmap = [](sqlite3_file* f, int d) { return Real(f)->pMethods->xShmUnmap(Real(f), d); };
    methods.xFetch = [](sqlite3_file* f, sqlite3_int64 o, int n, void** p) {
        return Real(f)->pMethods->iVersion >= 3 ? Real(f)->pMethods->xFetch(Real(f), o, n, p) : (*p = nullptr, SQLITE_OK);
    };
    methods.xUnfetch = [](sqlite3_file* f, sqlite3_int64 o, void* p) {
        return Real(f)->pMethods->iVersion >= 3 ? Real(f)->pMethods->xUnfetch(Real(f), o, p) : SQLITE_OK;
    };
}

int Open(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* f, int flags, int* outFlags)
{
    auto* h = reinterpret_cast<HeldFile*>(f);
    h->file = reinterpret_cast<sqlite3_file*>(h + 1);
    h->base.pMethods = nullptr;
    const int rc = real->xOpen(real, name, h->file, flags, outFlags);
    if (h->file->pMethods)
        h->base.pMethods = &methods;
    return rc;
}

} // namespace

HeldSyncVfs::HeldSyncVfs(int delayMs)
{
    {
        const std::lock_guard g(gate->lock);
        gate->held = false;
        gate->syncs = 0;
        gate->delayMs = delayMs;
    }
    sqlite3_initialize();
    real = sqlite3_vfs_find(nullptr);
    MakeMethods();
    // Everything else as the system's own, which finds what it needs of its
    // own through the same fields.
    held = *real;
    held.zName = "held-sync";
    held.szOsFile = static_cast<int>(sizeof(HeldFile)) + real->szOsFile;
    held.pNext = nullptr;
    held.xOpen = Open;
    sqlite3_vfs_register(&held, 1);
}

HeldSyncVfs::~HeldSyncVfs()
{
    release();
    sqlite3_vfs_unregister(&held);
    sqlite3_vfs_register(real, 1);
}

void HeldSyncVfs::hold()
{
    const std::lock_guard g(gate->lock);
    gate->held = true;
}

void HeldSyncVfs::release()
{
    {
        const std::lock_guard g(gate->lock);
        gate->held = false;
    }
    gate->changed.notify_all();
}

bool HeldSyncVfs::waitUntilWaiting(int count, int waitMs)
{
    std::unique_lock g(gate->lock);
    return gate->changed.wait_for(g, std::chrono::milliseconds(waitMs), [count] { return gate->waiting >= count; });
}

int HeldSyncVfs::syncs() const
{
    const std::lock_guard g(gate->lock);
    return gate->syncs;
}
