// A full memory of 255 records downloaded from the emulated unit in real
// time, through the whole program. Reports, for a 1 ms and a 10 ms report
// interval: the wall time from "Get Memory" to the last record on screen as a
// ratio to the unit's own floor (reports x interval), the CPU time the
// program spent meanwhile, and the time of one full refresh of 31 lines.
#include "emulated_hid.h"
#include "focus_scroll_bar.h"
#include "sample_race.h"
#include "timer_application.h"

#include <QApplication>
#include <QEventLoop>
#include <QScrollBar>
#include <QTimer>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>

namespace {

double CpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec)
        + static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

void Run(std::int64_t intervalUs)
{
    SteadyClock clock;
    EmulatedUnit unit(clock, SampleRace(36000000, 3, 255), {.reportIntervalUs = intervalUs});
    EmulatedHidAccess hid(EmulatedHidAccess::Pacing::RealTime);
    hid.addUnit("unit", unit);
    TimerApplication app({.hid = hid, .clock = clock});
    app.Load();

    const std::size_t bytes = 255 * 38;
    const std::size_t reports = (bytes + 6) / 7;
    const double floorSeconds = static_cast<double>(reports) * static_cast<double>(intervalUs) / 1e6;

    QEventLoop loop;
    double shownAt = -1;
    const auto start = std::chrono::steady_clock::now();
    auto check = [&] {
        const auto& last = app.results().RowTexts(34);
        if (shownAt < 0 && !last.empty() && last[0] == "255") {
            shownAt = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            loop.quit();
        }
    };
    // Connected after the view's own handlers, so they run once the page is drawn.
    QObject::connect(&app.window().scrollBar(), &QScrollBar::valueChanged, &loop, [&] { check(); });
    QObject::connect(&app.window().pollTimer(), &QTimer::timeout, &loop, [&] { check(); });
    QTimer::singleShot(static_cast<int>(floorSeconds * 1000 * 3 + 5000), &loop, &QEventLoop::quit);

    const double cpuStart = CpuSeconds();
    app.GetMemoryClicked();
    loop.exec();
    const double cpu = CpuSeconds() - cpuStart;

    const int refreshes = 50;
    const auto r0 = std::chrono::steady_clock::now();
    for (int i = 0; i < refreshes; ++i)
        app.results().RefreshResults(app.state().store.RecordCount);
    const double refreshMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - r0).count() / refreshes;

    if (shownAt < 0) {
        std::printf("interval %5.1f ms: the last record was never shown\n", intervalUs / 1000.0);
        return;
    }
    std::printf("interval %5.1f ms: %zu reports, floor %.3f s, shown after %.3f s, ratio %.3f "
                "(%.3f without the 0.1 s pause), cpu %.3f s, refresh of 31 lines %.3f ms\n",
                intervalUs / 1000.0, reports, floorSeconds, shownAt, shownAt / floorSeconds,
                (shownAt - 0.1) / floorSeconds, cpu, refreshMs);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    Run(1000);
    Run(10000);
    return 0;
}
