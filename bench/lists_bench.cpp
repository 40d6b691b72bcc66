// The kept lists at their full span: 200 lists of 255 records written as
// downloads write them (a write after every record filed, then a mark on
// every tenth line), the store's size on disk, how long a write takes, and
// the time from the program's start to the line that names the last list.
// It writes in a temporary folder, or in the one given as its argument (a
// real disk, say: a tmpfs does not sync).
#include "emulator/emulated_hid.h"
#include "lists/list_keeper.h"
#include "lists/list_store.h"
#include "lists/store_writer.h"
#include "app/timer_application.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

void FillStore(const QString& folder)
{
    StoreWriter writer(std::make_unique<ListStore>(folder));
    ListKeeper keeper(&writer);
    keeper.open();
    writer.waitUntilWritten(60000);
    keeper.takeNews();
    if (!keeper.keeping()) {
        std::printf("the store could not be opened in %s\n", qPrintable(folder));
        return;
    }
    RecordTableState table;
    std::vector<double> writesMs;
    QElapsedTimer all;
    all.start();
    for (int list = 0; list < ListStore::ListsKept; ++list) {
        keeper.beginNewList();
        table.clearRecords();
        for (int n = 1; n <= 255; ++n) {
            auto& frame = table.unitFrames[static_cast<std::size_t>(n)];
            frame.filed = true;
            frame.bytes.fill(static_cast<std::uint8_t>(list + n));
            table.RecordCount = static_cast<std::int16_t>(n);
            keeper.changed({Records::Change::Kind::Filed, {n}});
            QElapsedTimer one;
            one.start();
            keeper.sync(table, TimeDisplay::Seconds);
            // To the disk, as the writer's thread writes it.
            keeper.waitUntilWritten(60000);
            writesMs.push_back(static_cast<double>(one.nsecsElapsed()) / 1e6);
        }
        for (int n = 1; n <= 255; n += 10) {
            table.RecordTable[static_cast<std::size_t>(n)][RecordField::MarkState] = 1;
            keeper.changed({Records::Change::Kind::Marked, {n}});
            keeper.sync(table, TimeDisplay::Seconds);
        }
    }
    qint64 bytes = 0;
    for (const QFileInfo& f : QDir(folder).entryInfoList({"lists.sqlite*"}, QDir::Files))
        bytes += f.size();
    std::printf("store: %d lists of 255 records, %zu writes in %.1f s: median %.2f ms, max %.2f ms; "
                "%.2f MB on disk (with its log)\n",
                ListStore::ListsKept, writesMs.size(), static_cast<double>(all.elapsed()) / 1000.0, Median(writesMs),
                *std::max_element(writesMs.begin(), writesMs.end()), static_cast<double>(bytes) / 1e6);
}

void TimeToTheKeptListLine(const QString& folder)
{
    SteadyClock clock;
    EmulatedHidAccess hid(EmulatedHidAccess::Pacing::RealTime);
    QElapsedTimer started;
    started.start();
    TimerApplication app({.hid = hid, .clock = clock, .listsFolder = folder});
    double toldMs = -1;
    QObject::connect(&app, &TimerApplication::newsShown, [&](const QString& news) {
        if (news.contains(QLatin1String(" is kept (")) && toldMs < 0)
            toldMs = static_cast<double>(started.nsecsElapsed()) / 1e6;
    });
    app.Load();
    app.window().showCentred();
    const double shownMs = static_cast<double>(started.nsecsElapsed()) / 1e6;
    if (!QTest::qWaitFor([&] { return toldMs >= 0; }, 10000))
        std::printf("the kept list was never named\n");
    std::printf("start: window shown after %.1f ms, the kept list named after %.1f ms\n", shownMs, toldMs);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    QTemporaryDir temporary;
    const QString folder = argc > 1 ? QDir(QString::fromLocal8Bit(argv[1])).filePath("trivex-lists-bench")
                                    : temporary.path();
    QDir(folder).removeRecursively();
    FillStore(folder);
    TimeToTheKeptListLine(folder);
    if (argc > 1)
        QDir(folder).removeRecursively();
    return 0;
}
