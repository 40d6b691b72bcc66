// The store is written only as the program's own file in the user's own
// folder: never through a link, never into a folder another user could
// change under it.
#include "lists/list_store.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>

namespace {

QByteArray Bytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

mode_t ModeOf(const QString& path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & 07777 : 0;
}

TEST(ListStore, WritesOnlyItsOwnFileInTheUsersOwnFolder)
{
    const struct {
        const char* what;
        // Lays the trap in the data folder; returns the file it must leave as it was.
        std::function<QString(const QString& folder, const QString& elsewhere)> lay;
        bool needsRoot;
    } cases[] = {
        {"the store a link to another program's SQLite file",
         [](const QString& folder, const QString& elsewhere) {
             const QString other = elsewhere + "/other.sqlite";
             sqlite3* db = nullptr;
             sqlite3_open(QFile::encodeName(other).constData(), &db);
             sqlite3_exec(db, "CREATE TABLE theirs(x); INSERT INTO theirs VALUES(1);", nullptr, nullptr, nullptr);
             sqlite3_close(db);
             ::chmod(QFile::encodeName(other).constData(), 0644);
             QFile::link(other, folder + "/lists.sqlite");
             return other;
         },
         false},
        {"the store a link to an empty file",
         [](const QString& folder, const QString& elsewhere) {
             const QString empty = elsewhere + "/empty";
             QFile f(empty);
             f.open(QIODevice::WriteOnly);
             f.close();
             QFile::link(empty, folder + "/lists.sqlite");
             return empty;
         },
         false},
        {"a folder another user owns",
         [](const QString& folder, const QString&) {
             ::chmod(QFile::encodeName(folder).constData(), 0777);
             EXPECT_EQ(::chown(QFile::encodeName(folder).constData(), 65534, 65534), 0);
             return QString();
         },
         true},
    };
    for (const auto& c : cases) {
        if (c.needsRoot && ::geteuid() != 0)
            continue;
        QTemporaryDir home;
        QTemporaryDir elsewhere;
        const QString folder = home.filePath("trivex");
        ASSERT_TRUE(QDir().mkpath(folder));
        const QString theirs = c.lay(folder, elsewhere.path());
        const QByteArray before = theirs.isEmpty() ? QByteArray() : Bytes(theirs);
        const mode_t modeBefore = theirs.isEmpty() ? 0 : ModeOf(theirs);

        ListStore store(folder);
        const ListStore::Opening opening = store.open();
        EXPECT_FALSE(opening.open) << c.what;
        EXPECT_EQ(opening.trouble, StoreTrouble::NotOwn) << c.what;
        EXPECT_FALSE(opening.detail.isEmpty()) << c.what;
        EXPECT_FALSE(store.beginList(QDateTime::currentDateTime())) << c.what;
        if (!theirs.isEmpty()) {
            EXPECT_EQ(Bytes(theirs), before) << c.what;
            EXPECT_EQ(ModeOf(theirs), modeBefore) << c.what << ": never chmodded";
            EXPECT_FALSE(QFile::exists(theirs + "-wal")) << c.what;
        } else {
            EXPECT_FALSE(QFile::exists(folder + "/lists.sqlite")) << c.what;
        }
    }
}

// A folder of the user's own that others could write in is closed to them.
TEST(ListStore, ClosesTheUsersOwnFolderToOthers)
{
    QTemporaryDir home;
    const QString folder = home.filePath("trivex");
    ASSERT_TRUE(QDir().mkpath(folder));
    ::chmod(QFile::encodeName(folder).constData(), 0777);
    ListStore store(folder);
    EXPECT_TRUE(store.open().open);
    EXPECT_EQ(ModeOf(folder), mode_t{0700});
}

} // namespace
