// The list on screen kept in the store as it changes: downloads, marks,
// sorts, a second download, a list brought back, and the marks stepped back
// and forth.
#include "lists/list_keeper.h"
#include "lists/list_store.h"
#include "lists/store_writer.h"
#include "support/held_sync_vfs.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <atomic>
#include <functional>
#include <thread>
#include <utility>

namespace {

// Files record `number` as the framing does, from a frame of its own bytes.
// Filed as the unit's frame is, and told to the keeper as the table's owner tells it.
void File(ListKeeper& keeper, RecordTableState& table, int number)
{
    auto& frame = table.unitFrames[static_cast<std::size_t>(number)];
    frame.filed = true;
    for (std::size_t b = 0; b < frame.bytes.size(); ++b)
        frame.bytes[b] = static_cast<std::uint8_t>(number + static_cast<int>(b) + 1);
    auto& row = table.RecordTable[static_cast<std::size_t>(table.rowOfRecord(number))];
    for (int b = 0; b < RecordField::StoredRecordBytes; ++b)
        row[static_cast<std::size_t>(b)] = frame.bytes[static_cast<std::size_t>(b)];
    RepairBibDigits(row); // as the frame scanner files it
    table.RecordCount = static_cast<std::int16_t>(std::max<int>(table.RecordCount, number));
    keeper.changed({Records::Change::Kind::Filed, {number}});
}

void Mark(ListKeeper& keeper, RecordTableState& table, int number, int mark)
{
    table.RecordTable[static_cast<std::size_t>(table.rowOfRecord(number))][RecordField::MarkState] = mark;
    keeper.changed({Records::Change::Kind::Marked, {number}});
}

// Everything handed to the writer is on the disk, and what it told (an
// opening, a write that failed, a write on the disk) has been acted on, as
// the program's next turns of the event loop do: an opening asked for, what
// it lets be written, and that news.
void Settle(ListKeeper& keeper, const RecordTableState& table)
{
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(keeper.waitUntilWritten(20000));
        keeper.sync(table, TimeDisplay::Seconds);
    }
}

std::unique_ptr<StoreWriter> WriterIn(const QString& folder)
{
    return std::make_unique<StoreWriter>(std::make_unique<ListStore>(folder));
}

struct Keeping {
    QTemporaryDir dir;
    std::unique_ptr<StoreWriter> writer = WriterIn(dir.path());
    ListKeeper keeper{writer.get()};
    RecordTableState table;
    // The store as the next run of the program finds it.
    std::unique_ptr<ListStore> reopened;

    Keeping()
    {
        keeper.open();
        Settle(keeper, table);
        EXPECT_TRUE(keeper.keeping());
    }
    void sync(TimeDisplay display = TimeDisplay::Seconds) { keeper.sync(table, display); }
    std::optional<KeptList> reopenedList(std::size_t newest = 0)
    {
        keeper = ListKeeper(nullptr);
        writer.reset(); // writes what it was handed, and lets the store go
        reopened = std::make_unique<ListStore>(dir.path());
        if (!reopened->open().open)
            return std::nullopt;
        const auto lists = reopened->lists();
        return newest < lists.size() ? reopened->load(lists[newest].id) : std::nullopt;
    }
};

TEST(ListKeeper, TwoDownloadsAreTwoListsAndTheFirstComesBackAsItWasLeft)
{
    Keeping k;
    k.sync();
    EXPECT_TRUE(k.keeper.lists().empty()) << "an empty table is no list";
    for (int n = 1; n <= 40; ++n) {
        File(k.keeper, k.table, n);
        k.sync();
    }
    k.table.ReportedRecordCount = 40;
    Mark(k.keeper, k.table, 3, 2);
    Mark(k.keeper, k.table, 17, 1);
    std::swap(k.table.RecordTable[1], k.table.RecordTable[9]);
    k.keeper.changed({Records::Change::Kind::Reordered});
    k.keeper.sortChosen(SortChoice::ByBib);
    k.sync(TimeDisplay::TimeOfDay);
    const RecordTableState firstList = k.table;

    k.table.clearRecords();
    k.table.resetSequenceNumbers();
    k.table.RecordCount = 0;
    k.keeper.beginNewList();
    k.keeper.changed({Records::Change::Kind::Emptied});
    for (int n = 1; n <= 5; ++n)
        File(k.keeper, k.table, n);
    k.sync();
    ASSERT_EQ(k.keeper.lists().size(), 2u);

    const auto lists = k.keeper.lists();
    TimeDisplay display = TimeDisplay::Seconds;
    SortChoice sort = SortChoice::None;
    ASSERT_TRUE(k.keeper.bringBack(lists[1].id, k.table, display, sort));
    EXPECT_EQ(k.table.RecordTable, firstList.RecordTable);
    EXPECT_EQ(k.table.unitFrames, firstList.unitFrames);
    EXPECT_EQ(k.table.RecordCount, 40);
    EXPECT_EQ(k.table.ReportedRecordCount, 40);
    EXPECT_EQ(display, TimeDisplay::TimeOfDay);
    EXPECT_EQ(sort, SortChoice::ByBib);

    // Marks made on the list brought back go to it, not to a new one.
    Mark(k.keeper, k.table, 20, 1);
    k.sync(display);
    EXPECT_EQ(k.keeper.lists().size(), 2u);
    const auto kept = k.reopenedList(1);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->records.size(), 40u);
    EXPECT_EQ(kept->summary.marks, 3);
}

TEST(ListKeeper, EveryMarkAsItStandsIsKept)
{
    Keeping k;
    for (int n = 1; n <= 3; ++n)
        File(k.keeper, k.table, n);
    k.sync();
    // Set, changed again, and taken back as undo takes it back: each look writes it.
    const std::pair<int, int> marks[] = {{1, 1}, {1, 2}, {2, 1}, {2, 0}};
    for (auto [number, mark] : marks) {
        Mark(k.keeper, k.table, number, mark);
        k.sync();
    }
    const auto kept = k.reopenedList();
    ASSERT_TRUE(kept);
    std::vector<int> keptMarks;
    for (const KeptRecord& r : kept->records)
        keptMarks.push_back(r.mark);
    EXPECT_EQ(keptMarks, (std::vector<int>{2, 0, 0}));
}

// A disk that takes its time over a sync holds only the store's writer: every
// change is handed over at once while a sync hangs, what came meanwhile is
// written together once it ends, and waiting for it is bounded.
TEST(ListKeeper, ASyncThatHangsHoldsOnlyTheWriter)
{
    HeldSyncVfs disk;
    Keeping k;
    disk.hold();
    // Were a sync made on this thread, the test would hang here; the
    // watchdog then lets the disk go and says so.
    std::atomic<bool> watchdogLetGo = false;
    std::atomic<bool> done = false;
    std::thread watchdog([&] {
        for (int i = 0; i < 300 && !done; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (!done) {
            watchdogLetGo = true;
            disk.release();
        }
    });
    File(k.keeper, k.table, 1);
    k.sync();
    EXPECT_TRUE(disk.waitUntilWaiting(1, 20000)) << "the first write is in its sync";
    const int syncsBefore = disk.syncs();
    for (int n = 2; n <= 40; ++n) {
        File(k.keeper, k.table, n);
        k.sync();
        if (n % 5 == 0) {
            Mark(k.keeper, k.table, n, 1);
            k.sync();
        }
    }
    Entrant one;
    one.bib = 1;
    k.keeper.keepEntrants({one});
    EXPECT_TRUE(k.keeper.writing());
    EXPECT_FALSE(k.keeper.waitUntilWritten(50)) << "a wait for the disk is bounded";
    // A read behind the held sync gives up, and says it did, not that there is nothing.
    EXPECT_TRUE(k.keeper.lists().empty());
    EXPECT_TRUE(k.keeper.lastReadLate());
    done = true;
    EXPECT_FALSE(watchdogLetGo) << "a change waited for the sync";
    disk.release();
    watchdog.join();
    ASSERT_TRUE(k.keeper.waitUntilWritten(20000));
    EXPECT_LE(disk.syncs() - syncsBefore, 4) << "what came during the sync was written as one";
    const auto kept = k.reopenedList();
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->records.size(), 40u);
    EXPECT_EQ(kept->summary.marks, 8);
    EXPECT_EQ(k.reopened->entrants().size(), 1u);
}

TEST(ListKeeper, WithoutAStoreNothingIsWrittenAndNothingIsTold)
{
    ListKeeper keeper(nullptr);
    bool told = false;
    keeper.setWriteFailedListener([&](const QString&) { told = true; });
    RecordTableState table;
    File(keeper, table, 1);
    keeper.sync(table, TimeDisplay::Seconds);
    Mark(keeper, table, 1, 2);
    keeper.sync(table, TimeDisplay::Seconds);
    EXPECT_FALSE(keeper.keeping());
    EXPECT_TRUE(keeper.lists().empty());
    EXPECT_FALSE(told);
}

// Keeping that stopped mends itself once the cause has gone: the list on
// screen, with what was filed and marked meanwhile, is written then, and the
// operator is told once when it stops and once when it resumes.
TEST(ListKeeper, KeepingThatStoppedResumesOnceTheCauseHasGone)
{
    struct Case {
        const char* what;
        // Stops keeping; returns what takes the cause away, or nothing where
        // the system does not let it happen.
        std::function<std::function<void()>(QTemporaryDir&)> stop;
        // Stopped before the program opens its store.
        bool atStart = false;
    };
    const Case cases[] = {
        {"the data folder removed while running",
         [](QTemporaryDir& dir) {
             // Windows removes no folder while the store in it is open.
             if (!QDir(dir.path()).removeRecursively())
                 return std::function<void()>();
             return std::function<void()>([] {}); // the folder is made again
         }},
        {"another program holding the file",
         [](QTemporaryDir& dir) {
             sqlite3* other = nullptr;
             sqlite3_open(QDir(dir.path()).filePath(ListStore::FileName).toUtf8().constData(), &other);
             sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
             return std::function<void()>([other] {
                 sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
                 sqlite3_close(other);
             });
         }},
        {"another copy keeping them, which then ends",
         [](QTemporaryDir& dir) {
             auto first = std::make_shared<ListStore>(dir.path());
             EXPECT_TRUE(first->open().open);
             return std::function<void()>([first]() mutable { first.reset(); });
         },
         true},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        std::function<void()> goAway;
        if (c.atStart)
            goAway = c.stop(dir);
        std::int64_t now = 0;
        auto writer = WriterIn(dir.path());
        ListKeeper keeper(writer.get(), [&now] { return now; });
        QStringList told;
        keeper.setWriteFailedListener([&](const QString& why) { told << "stopped: " + why; });
        keeper.setResumedListener([&] { told << "resumed"; });
        RecordTableState table;
        keeper.open();
        Settle(keeper, table);
        EXPECT_EQ(keeper.keeping(), !c.atStart) << c.what;
        File(keeper, table, 1);
        Settle(keeper, table);

        if (!c.atStart)
            goAway = c.stop(dir);
        if (!goAway)
            continue;
        File(keeper, table, 2);
        keeper.sync(table, TimeDisplay::Seconds);
        Mark(keeper, table, 2, 1);
        Settle(keeper, table);
        EXPECT_TRUE(keeper.stopped()) << c.what;
        Mark(keeper, table, 2, 0); // as undo takes it back
        keeper.sync(table, TimeDisplay::Seconds);
        Mark(keeper, table, 2, 1);
        keeper.sync(table, TimeDisplay::Seconds);
        Entrant late;
        late.bib = 2;
        late.lastName = QStringLiteral("Late");
        keeper.keepEntrants({late});
        keeper.keepRules({.raceDay = QDate(2026, 5, 1), .ageGroupStarts = {20, 40}});
        keeper.keepCountedRead(2, 2);
        goAway();
        now += ListKeeper::RetryMs - 1;
        Settle(keeper, table);
        EXPECT_TRUE(keeper.stopped()) << c.what << ": not before its time";
        now += 1;
        File(keeper, table, 3);
        Settle(keeper, table);
        EXPECT_FALSE(keeper.stopped()) << c.what;
        EXPECT_TRUE(!told.isEmpty() && told.size() <= 2 && told.back() == "resumed") << c.what << ": " << told.join(" | ").toStdString();

        keeper = ListKeeper(nullptr);
        writer.reset();
        ListStore store(dir.path());
        ASSERT_TRUE(store.open().open) << c.what;
        const auto lists = store.lists();
        ASSERT_FALSE(lists.empty()) << c.what;
        const auto kept = store.load(lists.front().id);
        ASSERT_TRUE(kept) << c.what;
        std::vector<std::pair<int, int>> records;
        for (const KeptRecord& r : kept->records)
            records.emplace_back(r.number, r.mark);
        EXPECT_EQ(records, (std::vector<std::pair<int, int>>{{1, 0}, {2, 1}, {3, 0}})) << c.what;
        const std::vector<Entrant> entrants = store.entrants();
        EXPECT_TRUE(entrants.size() == 1 && entrants[0].lastName == "Late") << c.what;
        EXPECT_EQ(store.rules().ageGroupStarts, (std::vector<int>{20, 40})) << c.what;
        EXPECT_EQ(store.countedReads(lists.front().id), (std::map<int, int>{{2, 2}})) << c.what;
    }
}

// The event's entrants, rules and choices come back as they were kept, in a
// later run; a choice taken back is gone.
TEST(ListKeeper, TheEventIsKeptBesideItsLists)
{
    Keeping k;
    Entrant full;
    full.bib = 12;
    full.firstName = QStringLiteral("Zoë");
    full.lastName = QStringLiteral("<b>Ng</b>");
    full.gender = QStringLiteral("F");
    full.birthDate = QDate(1990, 2, 28);
    full.category = QStringLiteral("Open");
    full.team = QStringLiteral("Club, \"A\"");
    full.city = QStringLiteral("Bergen");
    Entrant yearAndAge;
    yearAndAge.bib = 3;
    yearAndAge.birthDate = QDate(1971, 1, 1);
    yearAndAge.yearOnly = true;
    yearAndAge.age = 55;
    const ResultRules rules{.raceDay = QDate(2026, 12, 9), .ageGroupStarts = {18, 35, 50}, .overallLeftOut = 3};
    k.keeper.keepEntrants({full, yearAndAge});
    k.keeper.keepRules(rules);
    File(k.keeper, k.table, 1);
    k.sync();
    k.keeper.keepCountedRead(7, 1);
    k.keeper.keepCountedRead(8, 1);
    k.keeper.keepCountedRead(8, std::nullopt);
    ASSERT_TRUE(k.reopenedList());
    const std::vector<Entrant> back = k.reopened->entrants();
    ASSERT_EQ(back.size(), 2u);
    const Entrant& a = back[0];
    const Entrant& b = back[1];
    EXPECT_TRUE(a.bib == 3 && a.yearOnly && a.birthDate == QDate(1971, 1, 1) && a.age == 55 && a.lastName.isEmpty());
    EXPECT_TRUE(b.bib == 12 && b.firstName == full.firstName && b.lastName == full.lastName && b.gender == "F"
                && b.birthDate == full.birthDate && !b.yearOnly && !b.age && b.category == "Open" && b.team == full.team
                && b.city == "Bergen");
    EXPECT_EQ(k.reopened->rules(), rules);
    EXPECT_EQ(k.reopened->countedReads(k.reopened->lists().front().id), (std::map<int, int>{{7, 1}}));
}

} // namespace
