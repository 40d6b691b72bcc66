// A store on a medium that runs full: the keeper says so once and the
// program's table goes on as before.
#include "lists/list_keeper.h"
#include "lists/list_store.h"
#include "lists/store_writer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <unistd.h>

#include <cstdio>

namespace {

// A file system of 96 KiB, mounted for the life of a test; `folder` is empty
// where it could not be mounted, and `why` says why.
struct SmallDisk {
    QTemporaryDir dir;
    QString folder;
    QString why;
    SmallDisk()
    {
        const QString mountPoint = dir.filePath("small");
        if (::geteuid() != 0)
            why = QStringLiteral("needs root to mount a small file system");
        else if (!QDir().mkpath(mountPoint)
                 || QProcess::execute("mount", {"-t", "tmpfs", "-o", "size=96k", "tmpfs", mountPoint}) != 0)
            why = QStringLiteral("cannot mount a tmpfs here");
        else
            folder = mountPoint;
    }
    ~SmallDisk()
    {
        if (!folder.isEmpty())
            QProcess::execute("umount", {folder});
    }
};

TEST(ListKeeper, AFullDiskIsToldOnceAndTheTableGoesOn)
{
    SmallDisk disk;
    if (disk.folder.isEmpty())
        GTEST_SKIP() << disk.why.toStdString();
    const QString& folder = disk.folder;
    QStringList told;
    int filedWhenTold = 0;
    RecordTableState table;
    {
        StoreWriter writer(std::make_unique<ListStore>(folder));
        ListKeeper keeper(&writer);
        keeper.open();
        ASSERT_TRUE(keeper.waitUntilWritten(20000));
        keeper.takeNews();
        ASSERT_TRUE(keeper.keeping());
        keeper.setWriteFailedListener([&](const QString& why) {
            told << why;
            filedWhenTold = table.RecordCount;
        });
        // Download after download, until the medium is full.
        for (int list = 0; list < 60 && told.isEmpty(); ++list) {
            keeper.beginNewList();
            table.clearRecords();
            for (int n = 1; n <= 255; ++n) {
                auto& frame = table.unitFrames[static_cast<std::size_t>(n)];
                frame = {.filed = true};
                frame.bytes.fill(static_cast<std::uint8_t>(list + n));
                table.RecordCount = static_cast<std::int16_t>(n);
                keeper.changed({Records::Change::Kind::Filed, {n}});
                keeper.sync(table, TimeDisplay::Seconds);
            }
            // What the writer told of this list is taken before the next.
            ASSERT_TRUE(keeper.waitUntilWritten(20000));
            keeper.sync(table, TimeDisplay::Seconds);
        }
        EXPECT_FALSE(keeper.keeping());
        table.RecordTable[1][RecordField::MarkState] = 2;
        keeper.changed({Records::Change::Kind::Marked, {1}});
        keeper.sync(table, TimeDisplay::Seconds);
        EXPECT_EQ(table.RecordTable[1][RecordField::MarkState], 2); // the mark stands, though not kept
    }
    ASSERT_EQ(told.size(), 1) << told.join(" | ").toStdString();
    std::printf("told: %s after %d records\n", qPrintable(told.front()), filedWhenTold);
    EXPECT_FALSE(told.front().isEmpty());
    EXPECT_GT(filedWhenTold, 0);
    EXPECT_EQ(table.RecordCount, 255);
}

// A disk already full when the program starts is told as full, not as a
// folder that cannot be written, and the store opens once there is room.
TEST(ListStore, ADiskFullAtTheStartIsToldAsFull)
{
    SmallDisk disk;
    if (disk.folder.isEmpty())
        GTEST_SKIP() << disk.why.toStdString();
    const QString& folder = disk.folder;
    const QString data = folder + QStringLiteral("/data");
    ASSERT_TRUE(QDir().mkpath(data));
    QFile filler(folder + QStringLiteral("/filler"));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size() && filler.flush()) {
    }
    filler.close();
    {
        ListStore store(data);
        const ListStore::Opening opening = store.open();
        EXPECT_FALSE(opening.open);
        EXPECT_EQ(opening.trouble, StoreTrouble::DiskFull) << opening.detail.toStdString();
        filler.remove();
        EXPECT_TRUE(store.open().open) << "once there is room";
    }
}

} // namespace
