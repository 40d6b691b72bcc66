// The program on a real window (Qt's xcb platform; run it under
// tests/window/run-under-xvfb.sh) with the emulated unit in real time:
//  - press-to-repaint latency of a button, pressed through the X server from
//    another thread, while the unit sends count-0 reports every 10 ms and
//    every 1 ms, idle and during a download;
//  - a 255-record download, from the press of "Get Memory" to the last record
//    painted with its data, against the unit's floor (reports x interval);
//  - how often the list is painted during that download, and the CPU it costs;
//  - press-to-repaint latency with no unit while each search for it takes
//    300 ms.
// The program keeps its lists, as it does, in a folder of its own for the
// run; with TRIVEX_BENCH_NO_LISTS set it keeps none, as it did before. With
// TRIVEX_BENCH_RESULTS set, the results window is open beside the list and
// follows it. With TRIVEX_BENCH_SYNC_MS set, every sync of the store's disk
// takes that long (a spinning laptop disk, a USB stick, a network home).
// "marks" times a click on a line to its mark painted and to its mark on the
// disk; "start" the longest the window is held in its first three seconds.
#include "app/results_controller.h"
#include "device/background_search.h"
#include "emulator/emulated_hid.h"
#include "presentation/focus_scroll_bar.h"
#include "presentation/format_state.h"
#include "presentation/record_line.h"
#include "presentation/result_columns.h"
#include "presentation/results_picture.h"
#include "presentation/results_view.h"
#include "emulator/sample_race.h"
#include "support/held_sync_vfs.h"
#include "support/x_pointer.h"
#include "app/timer_application.h"

#include <QApplication>
#include <QEventLoop>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTest>

#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <optional>
#include <random>
#include <thread>
#include <vector>

namespace {

using SteadyTime = std::chrono::steady_clock;

constexpr int Records = 255;
constexpr int Reports = (Records * 38 + 6) / 7;

double SecondsSince(SteadyTime::time_point t) { return std::chrono::duration<double>(SteadyTime::now() - t).count(); }

double CpuSeconds(int who)
{
    rusage u{};
    getrusage(who, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec)
        + static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// The emulated devices, each search for them taking `searchMs`, as a
// machine with many HID interfaces takes.
class SlowSearch : public HidAccess {
public:
    SlowSearch(HidAccess& devices, int searchMs) : devices_(devices), searchMs_(searchMs) {}
    std::vector<HidDeviceInfo> enumerate(std::uint16_t vendorId, std::uint16_t productId) override
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(searchMs_));
        return devices_.enumerate(vendorId, productId);
    }
    std::unique_ptr<HidDevice> open(const std::string& path) override { return devices_.open(path); }

private:
    HidAccess& devices_;
    int searchMs_;
};

// How the program searches for the unit.
enum class Searching { AsTheProgramDoes, OnTheWindowsThread };

// The whole program on an emulated unit paced in real time; with a search
// time, each search for the unit takes that long.
struct Session {
    QTemporaryDir lists;
    SteadyClock clock;
    EmulatedUnit unit;
    EmulatedHidAccess hid{EmulatedHidAccess::Pacing::RealTime};
    std::unique_ptr<SlowSearch> slow;
    std::unique_ptr<BackgroundSearch> search;
    std::unique_ptr<TimerApplication> app;

    explicit Session(std::int64_t intervalUs, int searchMs = 0, Searching searching = Searching::AsTheProgramDoes)
        : unit(clock, SampleRace(36000000, 3, Records), {.reportIntervalUs = intervalUs})
    {
        hid.addUnit("unit", unit);
        HidAccess* access = &hid;
        if (searchMs > 0) {
            slow = std::make_unique<SlowSearch>(hid, searchMs);
            access = slow.get();
        }
        if (searching == Searching::AsTheProgramDoes) {
            search = std::make_unique<BackgroundSearch>(*access);
            access = search.get();
        }
        const QString folder = qEnvironmentVariableIsSet("TRIVEX_BENCH_NO_LISTS") ? QString() : lists.path();
        app = std::make_unique<TimerApplication>(ApplicationPorts{.hid = *access, .clock = clock, .listsFolder = folder});
        app->Load();
        app->window().showCentred();
        // The results open beside the list, following the download.
        if (qEnvironmentVariableIsSet("TRIVEX_BENCH_RESULTS")) {
            std::vector<Entrant> field;
            for (int bib = 1; bib <= 999; ++bib) {
                Entrant e;
                e.bib = bib;
                e.lastName = QStringLiteral("Dahl");
                e.gender = bib % 2 ? QStringLiteral("F") : QStringLiteral("M");
                e.category = QStringLiteral("Open");
                field.push_back(e);
            }
            ResultsController& results = app->resultsOfRace();
            results.take(field, QStringLiteral("bench"));
            results.showWindow();
            results.window()->setGeometry(0, 0, 420, 300);
        }
        if (!QTest::qWaitForWindowExposed(&app->window()) || !QTest::qWaitFor([this] { return app->started(); }))
            std::printf("the window was never shown\n");
        QTest::qWait(300);
    }
    QPoint screenCentre(MainWindow::Button b) const
    {
        QPushButton& button = app->window().button(b);
        return button.mapToGlobal(button.rect().center());
    }
    // The last line of the page shows record 255 with the bytes the unit holds.
    bool lastRecordShown() const
    {
        const auto& texts = app->results().rowTexts(ResultsView::LastDataRow);
        if (texts.empty() || texts[0] != "255")
            return false;
        RecordTableState copy = app->state().records.table();
        FormatState format = app->state().format;
        const int row = copy.rowOfRecord(Records);
        const auto memory = unit.memory();
        for (int b = 0; b < 31; ++b)
            if (copy.RecordTable[static_cast<std::size_t>(row)][static_cast<std::size_t>(b)]
                != memory[Records - 1][static_cast<std::size_t>(b)])
                return false;
        const ColumnTexts expected = ColumnsOf(FormatRecordLine(format, copy, row));
        return std::equal(expected.begin(), expected.end(), texts.begin());
    }
};

// Press-to-repaint of one button: the time from the press sent to the X
// server to the button's first paint after it has the press.
class PressProbe : public QObject {
public:
    std::atomic<std::int64_t> sentUs{0};
    std::vector<double> latenciesMs;

    bool eventFilter(QObject*, QEvent* e) override
    {
        // A press soon after the last comes as a double click.
        if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick)
            pressed_ = true;
        else if (e->type() == QEvent::Paint && pressed_) {
            pressed_ = false;
            latenciesMs.push_back((nowUs() - sentUs.load()) / 1000.0);
        }
        return false;
    }
    static std::int64_t nowUs()
    {
        return std::chrono::duration_cast<std::chrono::microseconds>(SteadyTime::now().time_since_epoch()).count();
    }

private:
    bool pressed_ = false;
};

struct Summary {
    double median = 0, max = 0;
    std::size_t count = 0;
};

Summary Summarise(std::vector<double> v)
{
    Summary s;
    s.count = v.size();
    if (v.empty())
        return s;
    std::sort(v.begin(), v.end());
    s.median = v[v.size() / 2];
    s.max = v.back();
    return s;
}

// Presses "Time" from another thread at random moments while `busy` holds
// (or `presses` times), and returns the latencies.
std::vector<double> PressWhile(Session& s, int presses, const std::function<bool()>& busy)
{
    XTestPointer pointer;
    if (!pointer.ok()) {
        std::printf("no X test extension: run this under tests/window/run-under-xvfb.sh\n");
        std::exit(2);
    }
    PressProbe probe;
    QPushButton& button = s.app->window().button(MainWindow::Button::Time);
    button.installEventFilter(&probe);
    const QPoint at = s.screenCentre(MainWindow::Button::Time);
    pointer.moveTo(at.x(), at.y());
    QTest::qWait(200);

    std::atomic<bool> done{false};
    std::atomic<bool> stop{false};
    std::thread presser([&] {
        std::mt19937 rng(5);
        XTestPointer own;
        for (int i = 0; i < presses && !stop; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(std::uniform_int_distribution<int>(60, 160)(rng)));
            probe.sentUs = PressProbe::nowUs();
            own.press();
            std::this_thread::sleep_for(std::chrono::milliseconds(40));
            own.release();
        }
        done = true;
    });
    // The event loop runs undisturbed; now and then it is asked whether to go on.
    QEventLoop loop;
    QTimer check;
    const auto start = SteadyTime::now();
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (!busy())
            stop = true;
        if (done || SecondsSince(start) > 120)
            loop.quit();
    });
    check.start(50);
    loop.exec();
    presser.join();
    QTest::qWait(100);
    button.removeEventFilter(&probe);
    return probe.latenciesMs;
}

// With no unit, while every search for it takes 300 ms: the search as the
// program makes it, and on the window's thread for comparison.
void LatencyWithoutUnit()
{
    for (const Searching searching : {Searching::AsTheProgramDoes, Searching::OnTheWindowsThread}) {
        Session s(10000, 300, searching);
        s.unit.unplug();
        QTest::qWait(1000);
        const Summary idle = Summarise(PressWhile(s, 30, [] { return true; }));
        std::printf("latency, no unit, 300 ms searches %s: %zu presses, median %.1f ms, max %.1f ms\n",
                    searching == Searching::AsTheProgramDoes ? "off the window's thread" : "on the window's thread",
                    idle.count, idle.median, idle.max);
    }
}

void Latency(std::int64_t intervalUs)
{
    {
        Session s(intervalUs);
        const Summary idle = Summarise(PressWhile(s, 30, [] { return true; }));
        std::printf("latency, unit idle, %4.1f ms reports: %zu presses, median %.1f ms, max %.1f ms\n",
                    intervalUs / 1000.0, idle.count, idle.median, idle.max);
    }
    std::vector<double> during;
    for (int download = 0; download < (intervalUs < 5000 ? 6 : 1); ++download) {
        Session s(intervalUs);
        s.app->getMemoryClicked();
        QTest::qWait(150);
        const auto v = PressWhile(s, 1000, [&] { return s.unit.sending(); });
        during.insert(during.end(), v.begin(), v.end());
    }
    const Summary d = Summarise(during);
    std::printf("latency, during a download, %4.1f ms reports: %zu presses, median %.1f ms, max %.1f ms\n",
                intervalUs / 1000.0, d.count, d.median, d.max);
}

void Download(std::int64_t intervalUs)
{
    Session s(intervalUs);
    XTestPointer pointer;
    const QPoint at = s.screenCentre(MainWindow::Button::GetMemory);
    pointer.moveTo(at.x(), at.y());
    QTest::qWait(200);

    ResultsPicture& picture = s.app->window().picture();
    std::vector<double> paintsAt;
    double shownAt = -1;
    SteadyTime::time_point pressed;
    QObject::connect(&picture, &ResultsPicture::painted, &picture, [&] {
        const double t = SecondsSince(pressed);
        if (!s.app->results().rowTexts(ResultsView::FirstDataRow).empty())
            paintsAt.push_back(t); // a paint with records on it
        if (shownAt < 0 && s.lastRecordShown())
            shownAt = t;
    });

    const double cpuUi = CpuSeconds(RUSAGE_THREAD);
    const double cpuAll = CpuSeconds(RUSAGE_SELF);
    pressed = SteadyTime::now();
    pointer.press();
    pointer.release();
    const double floor = Reports * (intervalUs / 1e6);
    QEventLoop loop;
    QObject::connect(&picture, &ResultsPicture::painted, &loop, [&] {
        if (shownAt >= 0)
            loop.quit();
    });
    QTimer::singleShot(static_cast<int>((floor * 3 + 5) * 1000), &loop, &QEventLoop::quit);
    loop.exec();
    const double uiCpu = CpuSeconds(RUSAGE_THREAD) - cpuUi;
    const double allCpu = CpuSeconds(RUSAGE_SELF) - cpuAll;
    if (shownAt < 0) {
        std::printf("download, %4.1f ms reports: the last record was never painted\n", intervalUs / 1000.0);
        return;
    }
    // Paints per second, from the first record shown (the view redraws as the
    // scroll bar follows the records, from record 32 on) to the last.
    int fewest = 1 << 30;
    const double firstShown = paintsAt.empty() ? shownAt : paintsAt.front();
    for (double from = firstShown; from + 1.0 <= shownAt; from += 0.25)
        fewest = std::min<int>(fewest, static_cast<int>(std::count_if(
                                           paintsAt.begin(), paintsAt.end(),
                                           [&](double t) { return t >= from && t < from + 1.0; })));
    std::printf("download, %4.1f ms reports: %d reports, floor %.3f s, last record painted after %.3f s, ratio %.3f; "
                "list painted with records %zu times, first after %.2f s, then at least %d times in every second; cpu %.3f s on the user-interface thread, "
                "%.3f s in all\n",
                intervalUs / 1000.0, Reports, floor, shownAt, shownAt / floor, paintsAt.size(), firstShown,
                fewest == (1 << 30) ? -1 : fewest, uiCpu, allCpu);
}

// A click on a line, through the X server, to the line painted with its new
// mark and to the mark handed to the disk, after a download.
void Marks()
{
    Session s(10000);
    s.app->getMemoryClicked();
    if (!QTest::qWaitFor([&] { return !s.unit.sending() && s.lastRecordShown(); }, 60000)) {
        std::printf("marks: the download never ended\n");
        return;
    }
    QTest::qWait(500);
    XTestPointer pointer;
    ResultsPicture& picture = s.app->window().picture();
    const int h = picture.textHeightTwips("hi");
    std::vector<double> shownMs, onDiskMs;
    for (int i = 0; i < 20; ++i) {
        const int row = ResultsView::FirstDataRow + i % 12;
        const int y = static_cast<int>((row * h + h / 4.0) / (1440.0 / picture.logicalDpiY()));
        const QPoint at = picture.mapToGlobal(QPoint(40, y));
        pointer.moveTo(at.x(), at.y());
        QTest::qWait(150);
        const std::string before = s.app->results().rowTexts(row).at(0);
        const auto pressed = SteadyTime::now();
        double shown = -1;
        const auto painted = QObject::connect(&picture, &ResultsPicture::painted, &picture, [&] {
            if (shown < 0 && s.app->results().rowTexts(row).at(0) != before)
                shown = SecondsSince(pressed) * 1000;
        });
        pointer.press();
        pointer.release();
        if (!QTest::qWaitFor([&] { return shown >= 0; }, 5000)
            || !QTest::qWaitFor([&] { return !s.app->keeper().writing(); }, 10000)) {
            std::printf("marks: a click was never painted or never written\n");
            return;
        }
        onDiskMs.push_back(SecondsSince(pressed) * 1000);
        QObject::disconnect(painted);
        shownMs.push_back(shown);
        QTest::qWait(250); // no double click
    }
    const Summary shownAt = Summarise(shownMs), written = Summarise(onDiskMs);
    std::printf("marks, %s ms syncs: %zu clicks, painted after median %.1f ms, max %.1f ms; "
                "on the disk after median %.1f ms, max %.1f ms\n",
                qPrintable(qEnvironmentVariable("TRIVEX_BENCH_SYNC_MS", "0")), shownAt.count, shownAt.median,
                shownAt.max, written.median, written.max);
}

// The longest the event loop is held from the window's first paint to three
// seconds on, the store's opening among it.
void Start()
{
    // The first paint of the main window, or of anything on it.
    struct FirstPaint : QObject {
        std::optional<SteadyTime::time_point> at;
        bool eventFilter(QObject* o, QEvent* e) override
        {
            if (!at && e->type() == QEvent::Paint && o->isWidgetType()
                && qobject_cast<MainWindow*>(static_cast<QWidget*>(o)->window()))
                at = SteadyTime::now();
            return false;
        }
    } firstPaint;
    qApp->installEventFilter(&firstPaint);
    std::vector<std::pair<SteadyTime::time_point, SteadyTime::time_point>> gaps;
    auto last = SteadyTime::now();
    QTimer beat;
    QObject::connect(&beat, &QTimer::timeout, [&] {
        const auto now = SteadyTime::now();
        gaps.emplace_back(last, now);
        last = now;
    });
    beat.start(5);
    Session s(10000);
    QTest::qWait(3000);
    qApp->removeEventFilter(&firstPaint);
    double heldMs = 0;
    for (const auto& [from, to] : gaps)
        if (firstPaint.at && to > *firstPaint.at)
            heldMs = std::max(heldMs, std::chrono::duration<double, std::milli>(to - std::max(from, *firstPaint.at)).count());
    std::printf("start, %s ms syncs: from the first paint on, the window was held at most %.1f ms; kept lists %s\n",
                qPrintable(qEnvironmentVariable("TRIVEX_BENCH_SYNC_MS", "0")), heldMs,
                s.app->keeper().keeping() ? "open" : "not open");
}

// CPU of an idle program over ten seconds: with no unit, and with a unit
// sending count-0 reports.
void Idle(std::int64_t intervalUs)
{
    Session s(intervalUs);
    if (intervalUs == 0)
        s.unit.unplug();
    QTest::qWait(500);
    const double ui = CpuSeconds(RUSAGE_THREAD);
    const double all = CpuSeconds(RUSAGE_SELF);
    QEventLoop loop;
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    loop.exec();
    std::printf("idle for 10 s, %s: cpu %.3f s on the user-interface thread, %.3f s in all\n",
                intervalUs == 0 ? "no unit" : (intervalUs == 1000 ? "1 ms reports" : "10 ms reports"),
                CpuSeconds(RUSAGE_THREAD) - ui, CpuSeconds(RUSAGE_SELF) - all);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    std::unique_ptr<HeldSyncVfs> slowDisk;
    if (qEnvironmentVariableIsSet("TRIVEX_BENCH_SYNC_MS"))
        slowDisk = std::make_unique<HeldSyncVfs>(qEnvironmentVariableIntValue("TRIVEX_BENCH_SYNC_MS"));


    if (QGuiApplication::platformName() != "xcb") {
        std::printf("needs a real X window: run it as tests/window/run-under-xvfb.sh %s\n", argv[0]);
        return 2;
    }
    // Any of "download-10", "download-1", "latency-10", "latency-1", "latency-no-unit", "idle"; all by default.
    QStringList wanted = qapp.arguments().mid(1);
    if (wanted.isEmpty())
        wanted = {"download-10", "download-1", "latency-10", "latency-1", "latency-no-unit", "idle"};
    for (const QString& w : wanted) {
        const std::int64_t interval = w.endsWith("-10") ? 10000 : 1000;
        if (w == "latency-no-unit")
            LatencyWithoutUnit();
        else if (w == "marks")
            Marks();
        else if (w == "start")
            Start();
        else if (w.startsWith("download"))
            Download(interval);
        else if (w.startsWith("latency"))
            Latency(interval);
        else if (w == "idle")
            for (const std::int64_t i : {0, 10000, 1000})
                Idle(i);
    }
    return 0;
}
