#pragma once

#include "entrants/event_rules.h"
#include "entrants/start_list.h"
#include "lists/kept_list.h"

#include <QDateTime>
#include <QLockFile>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

struct sqlite3;

// Why the lists are not being kept, or what became of a store that could
// not be read.
enum class StoreTrouble {
    None,
    FolderNotWritable, // the data folder cannot be made or written
    DiskFull,          // the disk that holds the data folder has no room
    InUse,             // another copy of the program keeps them
    HeldElsewhere,     // a copy on another computer held them (a home on a stick or a network drive): it may be gone
    Damaged,           // SQLite's own check failed: set aside, a new store begun
    LogDamaged,        // the log held changes past a damaged frame: set aside, the store opened without them
    Newer,             // made by a newer version: set aside, a new store begun
    WriteFailed,       // a write failed (a full disk, a vanished drive)
    NotOwn,            // the folder or the store is not the user's own, or the store is a link: nothing is written
};

// The operator's lists in one SQLite file in the user's data folder. Every
// write is one transaction, committed to the disk before it returns (write-
// ahead log, full sync), so a kill or a power cut keeps what was committed.
class ListStore {
public:
    static constexpr int SchemaVersion = 1;
    // Older lists than the newest this many go when the store is opened.
    static constexpr int ListsKept = 200;
    static constexpr const char* FileName = "lists.sqlite";
    // How long a write waits for another program that holds the file.
    static constexpr int BusyMs = 200;

    explicit ListStore(QString folder);
    // The SQLite library's version, for the About box.
    static QString engineVersion();
    ~ListStore();
    ListStore(const ListStore&) = delete;
    ListStore& operator=(const ListStore&) = delete;

    struct Opening {
        // The store can be written.
        bool open = false;
        StoreTrouble trouble = StoreTrouble::None;
        // The system's or SQLite's words, where they say more.
        QString detail = {};
        // Where a store that could not be read now is.
        QString setAsideAs = {};
        // LogDamaged: the log could not be moved aside; `setAsideAs` names it where it is.
        bool logLeftInPlace = false;
        // Damaged: the lists read whole from the store set aside and kept in
        // the new one, those that could not be read, and whether some could
        // not even be counted.
        int listsSaved = 0;
        int listsLost = 0;
        bool someUncounted = false;
        // HeldElsewhere: the computer, and when the store was last written.
        QString heldOn = {};
        QDateTime lastWritten = {};
    };
    // Takes the folder's lock, opens the store (making it where there is
    // none), checks it, and sets aside one it cannot read.
    Opening open();
    // The lock of a copy on another computer, which this one cannot see, is
    // taken over: the operator said that copy is no longer running.
    Opening takeOver();
    bool isOpen() const { return db_ != nullptr; }
    // The store's file is still where it was opened; false once its folder
    // was removed (lastError() then says so).
    bool stillThere();
    bool hasList(std::int64_t list);
    QString path() const;
    QString folder() const { return folder_; }

    // Each false: the write did not happen; lastError() says why.
    std::optional<std::int64_t> beginList(const QDateTime& downloaded);
    // A list under the id its keeper gave it (nextListId() or above).
    bool beginList(std::int64_t list, const QDateTime& downloaded);
    std::int64_t nextListId();
    bool write(const KeptListChange& change);
    bool noteExported(std::int64_t list, const QString& path, const QDateTime& when);
    // Which list the window shows, so that a run after a crash offers that one.
    // An older program ignores the table this lives in.
    bool noteOnScreen(std::int64_t list);
    std::optional<std::int64_t> listLeftOnScreen();
    bool notePrinted(std::int64_t list, const QString& printer, const QDateTime& when);
    QString lastError() const { return lastError_; }
    // Gives up the store after a failed write: nothing more is tried.
    void close();
    // Runs the body's statements as one transaction, committed to the disk,
    // or rolled back with SQLite's words in lastError() when one fails. A
    // transaction begun inside the body is part of this one.
    bool transaction(const std::function<bool()>& body);

    // The event's entrants and the rules of its results, shared by every
    // list of the store: each list is one of its heats. An older program
    // ignores the tables they live in.
    // Replaces every entrant in one transaction.
    bool writeEntrants(const std::vector<Entrant>& entrants);
    std::vector<Entrant> entrants();
    bool writeRules(const ResultRules& rules);
    ResultRules rules();
    // Which record of a bib read twice counts in a list; none: the choice is undone.
    bool writeCountedRead(std::int64_t list, int bib, std::optional<int> record);
    std::map<int, int> countedReads(std::int64_t list);

    // Newest first.
    std::vector<KeptListSummary> lists();
    std::optional<KeptList> load(std::int64_t list);

private:
    Opening openFile();
    static std::optional<KeptList> LoadList(sqlite3* db, std::int64_t list);
    // Every list the damaged store set aside still gives whole, into this one.
    void salvage(const QString& damaged, Opening& opening);
    bool copyIn(const KeptList& kept);
    // Moves a damaged log out of SQLite's way; empty when it could not.
    QString setAsideLog();
    // Why the folder cannot be written: no room on its disk, or else.
    StoreTrouble folderTrouble() const;
    QString setAside(const QString& why);
    bool exec(const char* sql);
    bool note(const char* sql, std::int64_t list, const QString& where, const QDateTime& when);
    bool makeSchema();
    void prune();

    QString folder_;
    std::unique_ptr<QLockFile> lock_;
    sqlite3* db_ = nullptr;
    QString lastError_;
    int transactionDepth_ = 0;
};
