// The program on a real X window with the emulated unit in real time: the
// list shows a download while it arrives, and the window answers the operator
// meanwhile. Run under window/run-under-xvfb.sh.
#include "emulator/emulated_hid.h"
#include "presentation/results_picture.h"
#include "presentation/results_view.h"
#include "emulator/sample_race.h"
#include "support/x_pointer.h"
#include "app/timer_application.h"
#include "export/export_dialog.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <vector>
#include <thread>

namespace {

// The program on a real-time emulated unit holding `records` records.
struct RealTimeProgram {
    explicit RealTimeProgram(unsigned seed, int records, std::int64_t reportIntervalUs = 10000)
        : unit(clock, SampleRace(36000000, seed, records), {.reportIntervalUs = reportIntervalUs})
    {
        hid.addUnit("unit", unit);
    }
    // Starts the program and shows its window; false when it never showed.
    bool start()
    {
        app.Load();
        app.window().showCentred();
        return QTest::qWaitForWindowExposed(&app.window()) && QTest::qWaitFor([this] { return app.started(); });
    }
    SteadyClock clock;
    EmulatedUnit unit;
    EmulatedHidAccess hid{EmulatedHidAccess::Pacing::RealTime};
    TimerApplication app{{.hid = hid, .clock = clock}};
};

TEST(RealWindow, TheListGrowsDuringADownloadAndAButtonIsAnsweredMeanwhile)
{
    if (QGuiApplication::platformName() != "xcb")
        GTEST_SKIP() << "needs a real X display (tests/window/run-under-xvfb.sh)";
    XTestPointer pointer;
    ASSERT_TRUE(pointer.ok()) << "the X server has no test extension";

    RealTimeProgram program(3, 80);
    ASSERT_TRUE(program.start());
    EmulatedUnit& unit = program.unit;
    TimerApplication& app = program.app;

    int paintsWithRecordsWhileSending = 0;
    QObject::connect(&app.window().picture(), &ResultsPicture::painted, [&] {
        if (unit.sending() && !app.results().rowTexts(ResultsView::FirstDataRow).empty())
            ++paintsWithRecordsWhileSending;
    });
    std::atomic<bool> answeredWhileSending{false};
    QPushButton& time = app.window().button(MainWindow::Button::Time);
    QObject::connect(&time, &QPushButton::clicked, [&] {
        if (unit.sending())
            answeredWhileSending = true;
    });

    app.getMemoryClicked();
    // While the download runs, the operator presses "Time" until the window
    // answers; a window that waits on the unit would answer only at the end.
    const QPoint at = time.mapToGlobal(time.rect().center());
    std::atomic<bool> pressed{false};
    std::atomic<bool> stop{false};
    std::thread operatorHand([&] {
        XTestPointer hand;
        hand.moveTo(at.x(), at.y());
        std::this_thread::sleep_for(std::chrono::milliseconds(1000));
        while (!stop && !answeredWhileSending) {
            hand.press();
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            hand.release();
            std::this_thread::sleep_for(std::chrono::milliseconds(400));
        }
        pressed = true;
    });
    QEventLoop loop;
    QTimer done;
    QObject::connect(&done, &QTimer::timeout, &loop, [&] {
        if (pressed && !unit.sending() && app.results().rowTexts(ResultsView::LastDataRow).size() == 8
            && app.results().rowTexts(ResultsView::LastDataRow)[0] == "80")
            loop.quit();
    });
    done.start(50);
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    loop.exec();
    stop = true;
    operatorHand.join();

    EXPECT_EQ(app.state().records.table().RecordCount, 80);
    EXPECT_GE(paintsWithRecordsWhileSending, 2);
    EXPECT_TRUE(answeredWhileSending);
    EXPECT_EQ(app.results().rowTexts(ResultsView::LastDataRow)[0], "80");
}

// Buttons clicked as a person clicks them, held down about 100 ms, while a
// long download redraws the list many times a second: every click counts,
// in the main window and in the export dialog alike.
TEST(RealWindow, EveryClickDuringADownloadTakesEffect)
{
    if (QGuiApplication::platformName() != "xcb")
        GTEST_SKIP() << "needs a real X display (tests/window/run-under-xvfb.sh)";
    XTestPointer pointer;
    ASSERT_TRUE(pointer.ok()) << "the X server has no test extension";
    RealTimeProgram program(9, 255);
    ASSERT_TRUE(program.start());
    TimerApplication& app = program.app;
    MainWindow& w = app.window();
    auto centre = [](QWidget& widget) { return widget.mapToGlobal(widget.rect().center()); };

    // Where the dialog's "Cancel" is: it comes back where it was.
    app.writeFileClicked();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(app.exportDialog()));
    auto* cancel = app.exportDialog()->findChild<QPushButton*>("Exit1");
    ASSERT_NE(cancel, nullptr);
    const QPoint cancelAt = centre(*cancel);
    app.exportDialog()->cancel();

    QPushButton* const row[] = {&w.button(MainWindow::Button::DayTime), &w.button(MainWindow::Button::Time),
                                &w.button(MainWindow::Button::WriteFile), cancel};
    std::vector<QPoint> at;
    std::map<QPushButton*, int> clicks;
    for (QPushButton* b : row) {
        at.push_back(b == cancel ? cancelAt : centre(*b));
        QObject::connect(b, &QPushButton::clicked, [&clicks, b] { ++clicks[b]; });
    }
    constexpr int Rounds = 3;
    std::atomic<bool> sendingThroughout{true};
    std::atomic<bool> done{false};
    app.getMemoryClicked();
    std::thread hand([&] {
        XTestPointer own;
        // Past the first page: from here every record filed scrolls the list.
        std::this_thread::sleep_for(std::chrono::milliseconds(1200));
        for (int round = 0; round < Rounds; ++round)
            for (const QPoint& p : at) {
                own.moveTo(p.x(), p.y());
                std::this_thread::sleep_for(std::chrono::milliseconds(60));
                own.press();
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
                own.release();
                sendingThroughout = sendingThroughout && program.unit.sending();
                std::this_thread::sleep_for(std::chrono::milliseconds(300));
            }
        done = true;
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return done.load(); }, 60000));
    hand.join();
    QTest::qWait(100);

    EXPECT_TRUE(sendingThroughout) << "the download ended before the last click";
    for (QPushButton* b : row)
        EXPECT_EQ(clicks[b], Rounds) << b->text().toStdString();
    EXPECT_EQ(app.state().format.TimeDisplayMode, TimeDisplay::Seconds);
    EXPECT_FALSE(app.exportDialog()->isVisible());
}

// A unit that reports every 450 ms takes 18 s over the start-up read: the
// window is on screen and answering long before that read ends.
TEST(RealWindow, TheWindowIsUpBeforeASlowUnitsStartUpReadEnds)
{
    if (QGuiApplication::platformName() != "xcb")
        GTEST_SKIP() << "needs a real X display (tests/window/run-under-xvfb.sh)";
    RealTimeProgram program(5, 20, 450000);
    TimerApplication& app = program.app;
    app.Load();
    app.window().showCentred();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&app.window()));
    EXPECT_FALSE(app.started());
    app.window().button(MainWindow::Button::DayTime).click();
    EXPECT_EQ(app.state().format.TimeDisplayMode, TimeDisplay::TimeOfDay);
    EXPECT_FALSE(app.started());
    EXPECT_TRUE(program.unit.commands().empty());
    app.exitClicked();
    EXPECT_TRUE(app.state().link.closed);
}

// A race of fewer records than the list shows: the first is on screen within
// half a second of its frame, and the operator line tells the end with the count.
TEST(RealWindow, AShortDownloadShowsFromItsFirstRecordAndTellsItsEnd)
{
    if (QGuiApplication::platformName() != "xcb")
        GTEST_SKIP() << "needs a real X display (tests/window/run-under-xvfb.sh)";
    RealTimeProgram program(5, 20);
    ASSERT_TRUE(program.start());
    SteadyClock& clock = program.clock;
    TimerApplication& app = program.app;

    std::int64_t firstRecordPaintedUs = -1;
    QObject::connect(&app.window().picture(), &ResultsPicture::painted, [&] {
        if (firstRecordPaintedUs < 0 && !app.results().rowTexts(ResultsView::FirstDataRow).empty())
            firstRecordPaintedUs = clock.nowUs();
    });
    const std::int64_t askedUs = clock.nowUs();
    app.getMemoryClicked();
    QLabel& news = app.window().operatorLine();
    for (int waited = 0; waited < 15000 && !news.text().startsWith("Download"); waited += 20)
        QTest::qWait(20);
    for (int waited = 0; waited < 15000 && news.text().startsWith("Downloading"); waited += 20)
        QTest::qWait(20);

    EXPECT_TRUE(news.text().startsWith("Download complete: 20 records, at ")) << news.text().toStdString();
    ASSERT_GE(firstRecordPaintedUs, 0);
    // The unit answers after the 0.1 s pause; its first frame takes 6 reports.
    const std::int64_t firstFrameInUs = askedUs + 100000 + 6 * 10000;
    EXPECT_LT(firstRecordPaintedUs - firstFrameInUs, 500000) << "first record painted "
                                                             << (firstRecordPaintedUs - askedUs) / 1000 << " ms after Get Memory";
}

} // namespace
