// The store of kept lists: what it keeps comes back as it was written, and
// every store it cannot use is told, never written over.
#include "lists/list_store.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <functional>

namespace {

KeptRecord Record(int number, int mark)
{
    KeptRecord r{.number = number, .mark = mark};
    for (std::size_t b = 0; b < r.bytes.size(); ++b)
        r.bytes[b] = static_cast<std::uint8_t>(number * 7 + static_cast<int>(b));
    return r;
}

KeptOrder Reversed()
{
    KeptOrder order{};
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<std::uint8_t>(255 - i);
    return order;
}

QByteArray Bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

TEST(ListStore, WhatWasWrittenComesBackInANewRunNewestFirst)
{
    QTemporaryDir dir;
    const QDateTime downloaded = QDateTime::currentDateTime().addSecs(-3600);
    {
        ListStore store(dir.path());
        ASSERT_TRUE(store.open().open);
        const auto first = store.beginList(downloaded);
        const auto second = store.beginList(downloaded.addSecs(60));
        ASSERT_TRUE(first && second);
        ASSERT_TRUE(store.write({.list = *first, .records = {Record(1, 0), Record(2, 2)}, .order = Reversed(),
                                 .reportedCount = 60, .sort = 2, .display = 1}));
        // A later write of the same record replaces it.
        ASSERT_TRUE(store.write({.list = *first, .records = {Record(1, 1)}, .order = Reversed(), .reportedCount = 61,
                                 .sort = 3, .display = 1}));
        ASSERT_TRUE(store.write({.list = *second, .records = {Record(5, 0)}}));
        ASSERT_TRUE(store.noteExported(*first, "/media/stick/heat1.csv", downloaded.addSecs(120)));
        ASSERT_TRUE(store.notePrinted(*first, "Finish-line printer", downloaded.addSecs(180)));
        // A list that never had a record is not shown.
        ASSERT_TRUE(store.beginList(downloaded.addSecs(240)));
    }
    // As an older version wrote them: without the sums of their records.
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(ListStore(dir.path()).path()).constData(), &db);
    EXPECT_EQ(sqlite3_exec(db, "DROP TABLE list_checks", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
    ListStore again(dir.path());
    ASSERT_TRUE(again.open().open);
    const auto lists = again.lists();
    ASSERT_EQ(lists.size(), 2u);
    EXPECT_EQ(lists[0].records, 1);
    const KeptListSummary& s = lists[1];
    EXPECT_EQ(s.downloaded, downloaded);
    EXPECT_EQ(s.records, 2);
    EXPECT_EQ(s.marks, 2);
    EXPECT_EQ(s.reportedCount, 61);
    EXPECT_EQ(s.sort, 3);
    EXPECT_EQ(s.display, 1);
    EXPECT_EQ(s.exportedTo, "/media/stick/heat1.csv");
    EXPECT_EQ(s.exportedAt, downloaded.addSecs(120));
    EXPECT_EQ(s.printedOn, "Finish-line printer");
    EXPECT_EQ(s.printedAt, downloaded.addSecs(180));

    const auto kept = again.load(s.id);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->order, Reversed());
    EXPECT_EQ(kept->records, (std::vector<KeptRecord>{Record(1, 1), Record(2, 2)}));
}

TEST(ListStore, OnlyTheNewestListsStayWhenItOpens)
{
    QTemporaryDir dir;
    {
        ListStore store(dir.path());
        ASSERT_TRUE(store.open().open);
        for (int i = 0; i < ListStore::ListsKept + 5; ++i) {
            const auto list = store.beginList(QDateTime::currentDateTime().addSecs(i));
            ASSERT_TRUE(list && store.write({.list = *list, .records = {Record(1, i % 3)}}));
        }
        EXPECT_EQ(store.lists().size(), static_cast<std::size_t>(ListStore::ListsKept + 5));
    }
    ListStore again(dir.path());
    ASSERT_TRUE(again.open().open);
    const auto lists = again.lists();
    ASSERT_EQ(lists.size(), static_cast<std::size_t>(ListStore::ListsKept));
    EXPECT_EQ(lists.back().records, 1);
    EXPECT_EQ(again.load(lists.back().id)->records.front().mark, 5 % 3);
}

// A store this program cannot read, in the folder before it opens.
struct Unreadable {
    const char* what;
    std::function<void(const QString& file)> make;
    StoreTrouble trouble;
    // Some lists can still be read whole, and some not.
    bool partly = false;
};

// Twenty lists of 199 records, the log folded into the file, which then
// has every `step`th byte from `from` on flipped.
void MakeDamagedStore(const QString& f, qsizetype from, qsizetype to, qsizetype step)
{
    {
        ListStore store(QFileInfo(f).path());
        ASSERT_TRUE(store.open().open);
        for (int i = 0; i < 20; ++i) {
            const auto list = store.beginList(QDateTime::currentDateTime());
            std::vector<KeptRecord> records;
            for (int n = 1; n < 200; ++n)
                records.push_back(Record(n, 0));
            ASSERT_TRUE(store.write({.list = *list, .records = records}));
        }
    }
    sqlite3* db = nullptr;
    sqlite3_open(QFile::encodeName(f).constData(), &db);
    sqlite3_exec(db, "PRAGMA wal_checkpoint(TRUNCATE); PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    QByteArray bytes = Bytes(f);
    ASSERT_GT(bytes.size(), 3 * 4096);
    for (qsizetype i = from; i < std::min(to, bytes.size()); i += step)
        bytes[i] = static_cast<char>(bytes[i] ^ 0x5a);
    WriteFile(f, bytes);
}

void MakeStoreWithVersion(const QString& file, int version)
{
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(file).constData(), &db), SQLITE_OK);
    const std::string sql = "CREATE TABLE t(x); INSERT INTO t VALUES(1); PRAGMA user_version=" + std::to_string(version);
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

TEST(ListStore, AStoreItCannotReadIsSetAsideWholeAndANewOneBegun)
{
    const Unreadable cases[] = {
        {"not a database", [](const QString& f) { WriteFile(f, QByteArray(4096, 'x')); }, StoreTrouble::Damaged},
        {"pages that do not hold together", [](const QString& f) { MakeDamagedStore(f, 4096 + 100, 1 << 30, 97); },
         StoreTrouble::Damaged},
        {"one page of records damaged",
         [](const QString& f) { MakeDamagedStore(f, 40 * 4096 + 100, 41 * 4096, 97); }, StoreTrouble::Damaged, true},
        {"a newer version's", [](const QString& f) { MakeStoreWithVersion(f, ListStore::SchemaVersion + 1); },
         StoreTrouble::Newer},
    };
    for (const Unreadable& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        ListStore probe(dir.path());
        const QString file = probe.path();
        c.make(file);
        const QByteArray before = Bytes(file);

        ListStore store(dir.path());
        const ListStore::Opening opening = store.open();
        EXPECT_EQ(opening.trouble, c.trouble);
        EXPECT_TRUE(opening.open);
        ASSERT_FALSE(opening.setAsideAs.isEmpty());
        EXPECT_EQ(Bytes(opening.setAsideAs), before);
        // What could be read whole is kept; the new store works.
        EXPECT_EQ(static_cast<int>(store.lists().size()), opening.listsSaved);
        EXPECT_EQ(opening.listsSaved > 0 && (opening.listsLost > 0 || opening.someUncounted), c.partly)
            << opening.listsSaved << " saved, " << opening.listsLost << " lost";
        const auto list = store.beginList(QDateTime::currentDateTime());
        ASSERT_TRUE(list);
        EXPECT_TRUE(store.write({.list = *list, .records = {Record(3, 1)}}));
        EXPECT_EQ(static_cast<int>(store.lists().size()), opening.listsSaved + 1);
    }
}

// The files a killed run leaves, its log holding three commits: as they are,
// with a byte of the log's first frame flipped on the disk, and with the
// last frame cut short by the kill.
TEST(ListStore, ADamagedLogIsSetAsideAndToldButACutShortOneIsNot)
{
    QTemporaryDir written;
    ListStore store(written.path());
    ASSERT_TRUE(store.open().open);
    for (int n = 0; n < 3; ++n) {
        const auto list = store.beginList(QDateTime::currentDateTime());
        ASSERT_TRUE(list && store.write({.list = *list, .records = {Record(n + 1, 0)}, .order = Reversed()}));
    }
    const QString log = QStringLiteral("/lists.sqlite-wal");
    const QByteArray wal = Bytes(written.path() + log);
    ASSERT_GT(wal.size(), 32 + 2 * 4096);
    auto flip = [](QByteArray& b) { b[32 + 24 + 100] = static_cast<char>(b[32 + 24 + 100] ^ 0x10); };
    const struct {
        const char* what;
        std::function<void(QByteArray&)> harm;
        StoreTrouble trouble;
        // Something stands where the log would be set aside.
        bool asideTaken = false;
    } cases[] = {
        {"as the kill left it", [](QByteArray&) {}, StoreTrouble::None},
        {"a byte flipped", flip, StoreTrouble::LogDamaged},
        {"a byte flipped, and the log cannot be moved", flip, StoreTrouble::LogDamaged, true},
        {"the last frame cut short", [](QByteArray& b) { b.chop(1000); }, StoreTrouble::None},
    };
    for (const auto& c : cases) {
        QTemporaryDir left;
        WriteFile(left.path() + QStringLiteral("/lists.sqlite"), Bytes(written.path() + QStringLiteral("/lists.sqlite")));
        QByteArray harmed = wal;
        c.harm(harmed);
        WriteFile(left.path() + log, harmed);
        // A folder, not empty, under every name the next seconds would give it.
        for (int s = 0; c.asideTaken && s < 5; ++s) {
            const QString stamp = QDateTime::currentDateTime().addSecs(s).toString(QStringLiteral("yyyyMMdd-hhmmss"));
            const QString taken = left.path() + log + QStringLiteral(".damaged-") + stamp;
            ASSERT_TRUE(QDir().mkpath(taken + QStringLiteral("/inside")));
        }
        ListStore again(left.path());
        const ListStore::Opening opening = again.open();
        EXPECT_TRUE(opening.open) << c.what;
        EXPECT_EQ(opening.trouble, c.trouble) << c.what;
        EXPECT_EQ(QFileInfo::exists(opening.setAsideAs), c.trouble == StoreTrouble::LogDamaged) << c.what;
        EXPECT_EQ(opening.logLeftInPlace, c.asideTaken) << c.what;
        if (c.trouble == StoreTrouble::None) {
            EXPECT_FALSE(again.lists().empty()) << c.what;
        }
    }
}

TEST(ListStore, ASecondCopyAndAFolderThatCannotBeMadeKeepNothing)
{
    QTemporaryDir dir;
    ListStore first(dir.path());
    ASSERT_TRUE(first.open().open);
    ListStore second(dir.path());
    const ListStore::Opening opening = second.open();
    EXPECT_FALSE(opening.open);
    EXPECT_EQ(opening.trouble, StoreTrouble::InUse);
    EXPECT_FALSE(second.beginList(QDateTime::currentDateTime()));
    // The first copy keeps on.
    const auto list = first.beginList(QDateTime::currentDateTime());
    EXPECT_TRUE(list && first.write({.list = *list, .records = {Record(1, 0)}}));

    // A file where the folder would be: no folder can be made there.
    WriteFile(dir.filePath("plain-file"), "x");
    ListStore nowhere(dir.filePath("plain-file/lists"));
    const ListStore::Opening none = nowhere.open();
    EXPECT_FALSE(none.open);
    EXPECT_EQ(none.trouble, StoreTrouble::FolderNotWritable);
    EXPECT_EQ(Bytes(dir.filePath("plain-file")), "x");
}

} // namespace
