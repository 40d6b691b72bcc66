#pragma once

// SQLite's file system with every sync made slow, or held until let go: a
// spinning laptop disk, a USB stick or a network home on a fast disk. While
// it lives it is the default file system of every SQLite file opened.
class HeldSyncVfs {
public:
    explicit HeldSyncVfs(int delayMs = 0);
    ~HeldSyncVfs();
    HeldSyncVfs(const HeldSyncVfs&) = delete;
    HeldSyncVfs& operator=(const HeldSyncVfs&) = delete;

    // From now on each sync waits until release().
    void hold();
    void release();
    // True once `count` syncs wait at once, within `waitMs`.
    bool waitUntilWaiting(int count, int waitMs);
    // The syncs that ended since this was made.
    int syncs() const;
};
