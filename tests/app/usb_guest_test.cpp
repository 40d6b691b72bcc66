// The program on the real device path, with the emulated unit behind a USB
// gadget: on Linux hidapi's libusb backend, libusb, usbfs, the kernel's USB
// core and a host controller; on Windows, under wine in the same guest,
// hidapi's Windows backend, hid.dll, wine's HID bus and the kernel's HID
// driver (hidraw). Runs inside the test guest (see usb_rig/).
#include "export/export_dialog.h"
#include "export/folder_list.h"
#include "presentation/focus_scroll_bar.h"
#include "device/hidapi_access.h"
#include "support/app_rig.h"
#include "support/guest_system.h"
#include "support/scripted_prompt.h"
#include "app/timer_application.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>

namespace {

QString Env(const char* name) { return qEnvironmentVariable(name); }

// How long a step may stand still before it counts as stuck: sized for a
// guest under TCG on a 2-core machine, where it runs 5 to 10 times slower
// than under KVM.
constexpr int StallSeconds = 60;

bool InGuest() { return !Env("TRIVEX_GADGET_UDC").isEmpty(); }

// A file named from the root, wherever the test runs: under wine the root is drive Z:.
QString FromRoot(const QString& path) { return Env("TRIVEX_ROOT") + path; }

void SetUdc(const QString& value)
{
    // Binary: a Windows program's text mode would write "\r\n", and the kernel takes "\r" for a name.
    std::ofstream udc(FromRoot(Env("TRIVEX_GADGET_UDC_FILE")).toStdString(), std::ios::binary);
    udc << value.toStdString() << "\n";
}

int CommandsLogged(int command)
{
    std::ifstream log(FromRoot(Env("TRIVEX_GADGET_LOG")).toStdString());
    int count = 0;
    for (int c; log >> c;)
        count += c == command;
    return count;
}

// The feature reports the gadget saw, a line of decimal bytes each.
QStringList FeatureReportsLogged()
{
    QFile log(FromRoot(Env("TRIVEX_GADGET_LOG") + ".features"));
    if (!log.open(QIODevice::ReadOnly))
        return {QStringLiteral("(no log of feature reports)")};
    return QString::fromLatin1(log.readAll()).split('\n', Qt::SkipEmptyParts);
}

// The race the gadget holds: the reference race, or as many records as the
// rig asked for.
std::vector<TimerRecordBytes> GuestRace()
{
    const int records = qEnvironmentVariableIntValue("TRIVEX_GADGET_RECORDS");
    return records ? SampleRace(36000000, 13, records) : ReferenceRace();
}

QByteArray WithoutDateAndTime(QByteArray file)
{
    // Line 2 carries the moment of writing.
    const qsizetype start = file.indexOf("\r\n") + 2;
    const qsizetype end = file.indexOf("\r\n", start);
    const qsizetype date = file.indexOf("    Date  =  ", start);
    if (date > 0 && date < end)
        file.replace(date, file.indexOf("     Unit = ", start) - date, "");
    return file;
}

// One program for the whole run, as an operator would keep it open, on the
// real event loop: Timer1 ticks, and the reads wake on the reader thread's news.
struct Guest {
    SteadyClock clock;
    HidapiAccess hid{clock};
    ScriptedPrompt prompt;
    TimerApplication app{ApplicationPorts{.hid = hid, .clock = clock, .prompt = &prompt}};
    QStringList captions;

    Guest()
    {
        QObject::connect(&app, &TimerApplication::linkStatusShown, [this](const QString& c) { captions << c; });
    }

    // Runs the event loop until `done`. Under emulation (no KVM) the guest
    // runs several times slower, so a wait fails only when `progress` (what
    // the step moves: records filed, captions shown) has stood still for
    // StallSeconds, never because the step as a whole took long. Each move is
    // written to the results, where the host's watch sees the guest move.
    template <typename Done, typename Progress>
    bool runUntil(const char* step, Done done, Progress progress)
    {
        using namespace std::chrono;
        const auto began = steady_clock::now();
        auto moved = began;
        auto last = progress();
        while (!done()) {
            if (steady_clock::now() - moved > seconds(StallSeconds)) {
                std::printf("%s: nothing moved for %d s (progress stood at %lld)\n", step, StallSeconds,
                            static_cast<long long>(last));
                return false;
            }
            QTest::qWait(20);
            if (const auto now = progress(); now != last) {
                last = now;
                moved = steady_clock::now();
                noteProgress(step, static_cast<long long>(now), duration<double>(moved - began).count());
            }
        }
        std::printf("%s: %.1f s\n", step, duration<double>(steady_clock::now() - began).count());
        return true;
    }
    static void noteProgress(const char* step, long long value, double seconds)
    {
        QFile log(FromRoot(Env("TRIVEX_RESULTS") + "/progress.log"));
        if (log.open(QIODevice::Append))
            log.write(QStringLiteral("%1 %2 %3\n").arg(step).arg(value).arg(seconds, 0, 'f', 1).toUtf8());
    }
    qsizetype captionCount() const { return captions.size(); }
    int recordCount() { return app.state().records.table().RecordCount; }
    bool holdsGuestRace()
    {
        const auto memory = GuestRace();
        const int records = static_cast<int>(memory.size());
        const RecordTableState& store = app.state().records.table();
        if (store.RecordCount != records)
            return false;
        for (int n = 1; n <= records; ++n) {
            const auto& row = store.RecordTable[static_cast<std::size_t>(store.rowOfRecord(n))];
            for (int b = 0; b < 31; ++b)
                if (row[static_cast<std::size_t>(b)] != memory[static_cast<std::size_t>(n - 1)][static_cast<std::size_t>(b)])
                    return false;
        }
        return true;
    }
    void click(MainWindow::Button which) { app.window().button(which).click(); }
};

Guest* guest = nullptr;

class RealDevicePath : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (InGuest())
            guest = new Guest;
    }
    static void TearDownTestSuite()
    {
        delete guest;
        guest = nullptr;
    }
    void SetUp() override
    {
        if (!InGuest())
            GTEST_SKIP() << "runs inside the test guest (usb_rig/run-guest-tests.sh)";
    }
};

TEST_F(RealDevicePath, StartUpFindsTheUnitAndSendsTheStartUpCommand)
{
    ASSERT_TRUE(SystemDriverHoldsTheUnit()) << "the system's own driver should hold the unit before the program";
    guest->app.Load();
    ASSERT_TRUE(guest->runUntil(
        "start-up", [] { return guest->app.started(); }, [] { return guest->captionCount(); }));
    ASSERT_FALSE(guest->captions.isEmpty());
    EXPECT_EQ(guest->captions.first(), "USB Connected ");
    EXPECT_TRUE(ProgramAloneHasTheUnit());
    EXPECT_EQ(guest->app.state().link.InputReportLength, 9);
    EXPECT_EQ(guest->app.state().link.OutputReportLength, 9);
    EXPECT_TRUE(guest->runUntil(
        "start-up command", [] { return CommandsLogged(141) > 0; }, [] { return CommandsLogged(141); }));
    EXPECT_EQ(CommandsLogged(141), 1);
    // Where the rig lets the gadget see feature reports (the unit on the HID
    // driver), the configuration report arrived as the program sent it.
    if (!Env("TRIVEX_GADGET_FEATURES").isEmpty()) {
        const QStringList features = FeatureReportsLogged();
        std::printf("feature reports the unit saw: %s\n", qPrintable(features.join(" | ")));
        EXPECT_EQ(features, QStringList{"128 37 0 0 3"});
    }
}

// A unit that is silent while idle: every read waits in vain, so the link
// closes and opens again all the time, but the unit stays with the program.
TEST_F(RealDevicePath, ASilentIdleUnitStaysWithTheProgram)
{
    QFile quiet(FromRoot(Env("TRIVEX_GADGET_LOG") + ".quiet"));
    ASSERT_TRUE(quiet.open(QIODevice::WriteOnly));
    const int takeoversBefore = SystemDriverTakeovers();
    const int opensBefore = guest->hid.physicalOpens();
    guest->captions.clear();
    bool anotherDriverHadIt = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] { anotherDriverHadIt = anotherDriverHadIt || !ProgramAloneHasTheUnit(); });
    watch.start(5);
    // Five times round, however slow the guest runs.
    guest->runUntil(
        "silent unit",
        [] { return guest->captions.count("Readfile Timeout ") >= 5 && guest->captions.count("USB Connected ") >= 5; },
        [] { return guest->captionCount(); });
    watch.stop();
    quiet.remove();

    // The link did close and open again, many times ...
    EXPECT_GE(guest->captions.count("Readfile Timeout "), 5);
    EXPECT_GE(guest->captions.count("USB Connected "), 5);
    // ... while the unit itself stayed open below it.
    EXPECT_EQ(guest->hid.physicalOpens(), opensBefore);
    EXPECT_LE(SystemDriverTakeovers() - takeoversBefore, 1);
    EXPECT_FALSE(anotherDriverHadIt);
    EXPECT_TRUE(ProgramAloneHasTheUnit());
}

TEST_F(RealDevicePath, GetMemoryDownloadsEveryRecordByteForByte)
{
    const auto asked = std::chrono::steady_clock::now();
    guest->click(MainWindow::Button::GetMemory);
    EXPECT_TRUE(guest->runUntil(
        "download", [] { return guest->holdsGuestRace(); }, [] { return guest->recordCount(); }));
    // Measured, not judged: the unit's own pace sets the floor.
    const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - asked).count();
    const std::size_t records = GuestRace().size();
    const std::size_t reports = (records * 38 + 6) / 7;
    std::printf("download: %zu records in %.1f s; the unit's floor %zu reports x 10 ms = %.1f s\n", records, took,
                reports, static_cast<double>(reports) * 0.01);
    EXPECT_EQ(CommandsLogged(151), 1);
    EXPECT_EQ(guest->app.results().rowTexts(34)[0], std::to_string(GuestRace().size()));
}

TEST_F(RealDevicePath, WriteFileMatchesTheExportOfTheSameRecords)
{
    const QString results = FromRoot(Env("TRIVEX_RESULTS"));
    guest->click(MainWindow::Button::WriteFile);
    ExportDialog* dialog = guest->app.exportDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(dialog->folders().setPath(results));
    dialog->fileName().setText("guest-export.txt");
    dialog->findChild<QPushButton*>("Save1")->click();
    EXPECT_TRUE(guest->prompt.messages.isEmpty());

    // The same records through the emulated unit, as the host's tests see them.
    ScriptedPrompt prompt;
    AppRig host(GuestRace(), true, &prompt);
    host.load();
    host.getMemory();
    host.tickUntilQuiet();
    host.click(AppRig::Button::WriteFile);
    ASSERT_TRUE(host.app->exportDialog()->folders().setPath(results));
    host.app->exportDialog()->fileName().setText("host-export.txt");
    host.app->exportDialog()->findChild<QPushButton*>("Save1")->click();

    QFile a(results + "/guest-export.txt");
    QFile b(results + "/host-export.txt");
    ASSERT_TRUE(a.open(QIODevice::ReadOnly));
    ASSERT_TRUE(b.open(QIODevice::ReadOnly));
    const QByteArray guestFile = a.readAll();
    // A line a record, and one more for each bib with both flags, which
    // pushes its times onto a line of their own.
    EXPECT_GT(guestFile.count("\r\n"), 8 + static_cast<qsizetype>(GuestRace().size()));
    EXPECT_EQ(WithoutDateAndTime(guestFile).replace("guest-export.txt", "X"),
              WithoutDateAndTime(b.readAll()).replace("host-export.txt", "X"));
}

// A unit silent while idle lets every read run out, and the link is looked
// for again; "Get Memory" pressed the moment the link closed waits for that
// search and reaches the unit, never "no unit".
TEST_F(RealDevicePath, AGetMemoryPressedWhileTheUnitIsLookedForReachesIt)
{
    QFile quiet(FromRoot(Env("TRIVEX_GADGET_LOG") + ".quiet"));
    ASSERT_TRUE(quiet.open(QIODevice::WriteOnly));
    QStringList news;
    const auto told = QObject::connect(&guest->app, &TimerApplication::newsShown, [&](const QString& n) { news << n; });
    guest->captions.clear();
    ASSERT_TRUE(guest->runUntil(
        "silent until the link closes", [] { return guest->captions.contains("Readfile Timeout "); },
        [] { return guest->captionCount(); }));
    const int asked = CommandsLogged(151);
    guest->click(MainWindow::Button::GetMemory);
    bool emptied = false;
    EXPECT_TRUE(guest->runUntil(
        "download pressed as the link closed",
        [&] {
            emptied = emptied || guest->recordCount() == 0;
            return emptied && guest->holdsGuestRace();
        },
        [] { return guest->recordCount(); }));
    QObject::disconnect(told);
    quiet.remove();
    EXPECT_EQ(CommandsLogged(151), asked + 1);
    EXPECT_TRUE(news.filter("No timing unit was found").isEmpty()) << news.join(" | ").toStdString();
    EXPECT_TRUE(news.filter("went quiet").isEmpty()) << news.join(" | ").toStdString();
}

TEST_F(RealDevicePath, UnplugInTheMiddleOfADownloadAndPlugInAgain)
{
    guest->click(MainWindow::Button::GetMemory);
    ASSERT_TRUE(guest->runUntil(
        "download before the unplug", [] { return guest->recordCount() >= 5; }, [] { return guest->recordCount(); }));
    guest->captions.clear();
    SetUdc("");
    ASSERT_TRUE(guest->runUntil(
        "unplug", [] { return guest->captions.contains("Readfile Timeout "); }, [] { return guest->captionCount(); }));
    const int filed = guest->app.state().records.table().RecordCount;
    EXPECT_GE(filed, 5);
    QTest::qWait(1000);
    EXPECT_EQ(guest->app.state().records.table().RecordCount, filed);
    EXPECT_EQ(guest->captions.last(), "USB Not Found ");

    SetUdc(Env("TRIVEX_GADGET_UDC"));
    guest->captions.clear();
    ASSERT_TRUE(guest->runUntil(
        "plug in", [] { return guest->captions.contains("USB Connected "); }, [] { return guest->captionCount(); }));
    guest->click(MainWindow::Button::GetMemory);
    EXPECT_TRUE(guest->runUntil(
        "download after the plug-in", [] { return guest->holdsGuestRace(); }, [] { return guest->recordCount(); }));
}

} // namespace
