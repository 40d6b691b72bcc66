// The program killed outright (SIGKILL; TerminateProcess on Windows) in the
// middle of a download and right after a mark: the next run finds every
// record filed and every mark made before the kill. The program runs as a
// child: this test program again, told by its arguments to be it.
#include "support/app_rig.h"

#include "lists/list_store.h"
#include "support/held_sync_vfs.h"
#include "support/test_arguments.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <thread>

namespace {

constexpr int Records = 48;

// Tells the parent what is on disk: each line is written once the writer has
// written the tick (or the click), which a change shown reaches within 0.1 s
// plus one sync.
void Say(AppRig& r, const char* what, int n)
{
    if (!r.app->keeper().waitUntilWritten(20000))
        return;
    std::printf("%s %d\n", what, n);
    std::fflush(stdout);
}

int Filed(const RecordTableState& table)
{
    return static_cast<int>(std::count_if(table.unitFrames.begin(), table.unitFrames.end(),
                                          [](const RecordTableState::UnitFrame& f) { return f.filed; }));
}

// The child: downloads slowly, saying after every tick how many records it
// holds; then marks a line and says so; then waits to be killed. Its disk
// takes as long over each sync as it is told.
TEST(KilledProgram, DISABLED_Child)
{
    const QString folder = TestArgument("lists");
    if (folder.isEmpty())
        GTEST_SKIP() << "run by KilledProgram.EveryRecordAndMarkBeforeTheKillIsKept";
    HeldSyncVfs disk(TestArgument("sync-ms").toInt());
    AppRig r(true, Records, nullptr, folder);
    r.load();
    r.getMemory();
    for (int ticks = 0; ticks < 200 && (r.unit.sending() || Filed(r.state().records.table()) < Records); ++ticks) {
        r.clock.advanceUs(250000);
        r.tick();
        Say(r, "filed", Filed(r.state().records.table()));
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    r.clickLine(ResultsView::FirstDataRow + 2);
    Say(r, "marked", std::stoi(r.seqAt(ResultsView::FirstDataRow + 2)));
    std::this_thread::sleep_for(std::chrono::seconds(60));
}

struct Kill {
    const char* when;
    // The child's line after which it is killed.
    const char* said;
    int atLeast;
    int syncMs = 0;
};

TEST(KilledProgram, EveryRecordAndMarkBeforeTheKillIsKept)
{
    const Kill kills[] = {{"in the middle of a download", "filed", 20},
                          {"right after a mark", "marked", 0},
                          {"in the middle of a download, each sync 200 ms", "filed", 20, 200},
                          {"right after a mark, each sync 200 ms", "marked", 0, 200}};
    const auto memory = SampleRace(36000000, 7, Records);
    for (const Kill& k : kills) {
        SCOPED_TRACE(k.when);
        QTemporaryDir dir;
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(),
                    {"--gtest_also_run_disabled_tests", "--gtest_filter=KilledProgram.DISABLED_Child",
                     "--lists=" + dir.path(), QStringLiteral("--sync-ms=%1").arg(k.syncMs)});
        ASSERT_TRUE(child.waitForStarted(20000));
        int said = -1;
        QElapsedTimer waited;
        waited.start();
        while (said < 0 && waited.elapsed() < 60000) {
            if (!child.canReadLine() && !child.waitForReadyRead(1000))
                continue;
            while (child.canReadLine()) {
                const QList<QByteArray> words = child.readLine().trimmed().split(' ');
                if (words.size() == 2 && words[0] == k.said && words[1].toInt() >= k.atLeast) {
                    said = words[1].toInt();
                    child.kill();
                    break;
                }
            }
        }
        ASSERT_GE(said, 0) << "the child never said " << k.said;
        ASSERT_TRUE(child.waitForFinished(20000));
        EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);

        ListStore store(dir.path());
        ASSERT_TRUE(store.open().open) << "the killed copy's lock holds no one out";
        const auto lists = store.lists();
        ASSERT_EQ(lists.size(), 1u);
        const auto kept = store.load(lists.front().id);
        ASSERT_TRUE(kept);
        if (std::string(k.said) == "filed")
            EXPECT_GE(static_cast<int>(kept->records.size()), said);
        else
            EXPECT_EQ(static_cast<int>(kept->records.size()), Records);
        for (const KeptRecord& rec : kept->records) {
            ASSERT_GE(rec.number, 1);
            ASSERT_LE(rec.number, Records);
            EXPECT_EQ(rec.bytes, memory[static_cast<std::size_t>(rec.number - 1)]) << "record " << rec.number;
            if (std::string(k.said) == "marked") {
                EXPECT_EQ(rec.mark, rec.number == said ? 1 : 0) << "record " << rec.number;
            }
        }
    }
}

} // namespace
