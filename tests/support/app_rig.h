#pragma once

#include "qt_printers.h"

#include <gtest/gtest.h>

#include "emulator/emulated_hid.h"
#include "app/main_window.h"
#include "manual_scheduler.h"
#include "records_access.h"
#include "emulator/sample_race.h"
#include "app/timer_application.h"
#include "presentation/record_line.h"
#include "presentation/results_picture.h"
#include "presentation/results_view.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>

// The whole program on an emulated unit and a virtual clock. The rig stands
// in for the event loop: it moves the clock to each moment the tick asked to
// go on at (or to the unit's next report, if that comes first) and resumes.
struct AppRig {
    using Button = MainWindow::Button;

    VirtualClock clock;
    EmulatedUnit unit;
    EmulatedHidAccess hid;
    ManualTickScheduler scheduler;
    std::unique_ptr<TimerApplication> app;
    QStringList captions;
    int exitRequests = 0;

    // With a `listsFolder`, the lists are kept there, as the program keeps them.
    explicit AppRig(bool withUnit = true, int records = 48, OperatorPrompt* prompt = nullptr,
                    const QString& listsFolder = {})
        : AppRig(SampleRace(36000000, 7, records), withUnit, prompt, {}, listsFolder)
    {
    }

    AppRig(std::vector<TimerRecordBytes> memory, bool withUnit, OperatorPrompt* prompt,
           EmulatedUnitOptions options = {}, const QString& listsFolder = {},
           int listsEndWaitMs = KeptListsController::EndWaitMs)
        : unit(clock, std::move(memory), options)
    {
        hid.addOtherDevice("keyboard", 0x046D, 0xC31C);
        if (withUnit)
            hid.addUnit("unit", unit);
        app = std::make_unique<TimerApplication>(
            ApplicationPorts{.hid = hid, .clock = clock, .prompt = prompt, .scheduler = &scheduler,
                             .listsFolder = listsFolder, .listsEndWaitMs = listsEndWaitMs});
        QObject::connect(app.get(), &TimerApplication::linkStatusShown,
                         [this](const QString& c) { captions << c; });
        QObject::connect(app.get(), &TimerApplication::exitRequested, [this] { ++exitRequests; });
    }

    TimerState& state() { return app->state(); }
    // The table itself, to set up what no unit or click would.
    RecordTableState& editTable() { return RecordsTestAccess::table(state().records); }
    QPushButton& button(Button which) { return app->window().button(which); }
    void click(Button which) { button(which).click(); }
    // A click in the middle of a view row's line.
    void clickLine(int viewRow, Qt::MouseButton mouse = Qt::LeftButton)
    {
        ResultsPicture& picture = app->window().picture();
        const int h = picture.textHeightTwips("hi");
        const int y = static_cast<int>((viewRow * h + h / 4.0) / (1440.0 / picture.logicalDpiY()));
        QTest::mouseClick(&picture, mouse, mouse == Qt::RightButton ? Qt::ShiftModifier : Qt::NoModifier, QPoint(40, y));
    }

    // One wake-up of the stopped tick, as the event loop would give it.
    // A command's later step, when its time comes first, is that wake-up.
    bool step()
    {
        if (!scheduler.pending() && !scheduler.stepWaiting())
            return false;
        const std::int64_t tickAt = scheduler.request == ManualTickScheduler::Request::At
            ? std::min(scheduler.atUs, unit.nextReportDueUs())
            : clock.nowUs();
        if (scheduler.stepWaiting() && (!scheduler.pending() || scheduler.stepAfterUs < tickAt)) {
            clock.sleepUntilUs(scheduler.stepAfterUs + 1);
            scheduler.runStep();
            return true;
        }
        clock.sleepUntilUs(tickAt);
        scheduler.fire();
        return true;
    }
    // Runs the tick in progress (and any overdue one) to its end.
    void settle()
    {
        while (step()) {
        }
    }
    // Timer1 fires; the tick runs to its end.
    void tick()
    {
        // The poll timer is off until a command's step due by now has run.
        if (scheduler.stepWaiting() && clock.nowUs() > scheduler.stepAfterUs)
            scheduler.runStep();
        app->Timer1Tick();
        settle();
    }
    // Timer1 fires; the tick runs until it first waits for a report.
    void tickUntilWaiting()
    {
        app->Timer1Tick();
        while (app->tickInProgress() && scheduler.request != ManualTickScheduler::Request::At)
            step();
    }
    // Ticks 250 ms apart, as the poll timer gives them, until the unit has
    // nothing left to send and a tick files nothing.
    int tickUntilQuiet(int maxTicks = 200)
    {
        int ticks = 0;
        while (ticks < maxTicks) {
            clock.advanceUs(250000);
            tick();
            ++ticks;
            if (!unit.sending() && app->state().records.table().FiledFrameCount == 0)
                break;
        }
        return ticks;
    }
    // The start-up sequence to its end: the read, the wait, the command.
    void load()
    {
        app->Load();
        // The store of kept lists opens from the event loop meanwhile, on its
        // writer's thread.
        QCoreApplication::processEvents();
        if (!QTest::qWaitFor([this] { return !app->keeper().opening(); }, 20000))
            ADD_FAILURE() << "the store never answered";
        settle();
    }
    // "Get Memory", to the command sent after its pause; a tick waiting
    // meanwhile waits on.
    void getMemory()
    {
        click(Button::GetMemory);
        if (scheduler.stepWaiting()) {
            clock.sleepUntilUs(scheduler.stepAfterUs + 1);
            scheduler.runStep();
        }
    }
    // Start-up, then "Get Memory" and ticks until the download is in.
    void loadAndDownload()
    {
        load();
        getMemory();
        tickUntilQuiet();
    }
    // The print handed over and its outcome told.
    bool waitForPrint(int ms = 30000)
    {
        return QTest::qWaitFor([this] { return !app->printing(); }, ms);
    }
    // What the operator line says.
    QString line() const { return app->window().operatorLine().text(); }
    QString caption() const { return app->window().statusLabel().text(); }
    std::string seqAt(int row) const
    {
        const auto& t = app->results().rowTexts(row);
        return t.empty() ? std::string() : t[0];
    }
    // Draws a line of the page again (three clicks cycle its mark back to
    // none), one whose Source is not that of the last row listed, so that a
    // check of the Unit field tells "the line formatted last" from "the last
    // row listed". Returns both Sources; equal when no line differs.
    std::pair<std::string, std::string> redrawALineUnlikeTheLast()
    {
        FormatState format = app->state().format;
        RecordTableState store = app->state().records.table();
        const int last = std::max<int>(store.ReportedRecordCount, store.RecordCount);
        const std::string listedLast = FormatRecordLine(format, store, last).Source;
        const double h = app->window().picture().textHeightTwips("hi");
        for (int row = ResultsView::FirstDataRow; row <= ResultsView::LastDataRow; ++row) {
            const auto& texts = app->results().rowTexts(row);
            if (texts.empty())
                break;
            const int n = app->state().view.FirstShownRecord + (row - ResultsView::FirstDataRow);
            if (FormatRecordLine(format, store, n).Source == listedLast)
                continue;
            for (int click = 0; click < 3; ++click)
                app->results().cycleMarkAt(row * h + 1);
            break;
        }
        return {app->state().format.lastRecordLine.Source, listedLast};
    }
    // Rows holding records 1..N, byte for byte as the unit holds them.
    bool tableHoldsMemory() const
    {
        const auto memory = unit.memory();
        const RecordTableState& store = app->state().records.table();
        for (std::size_t n = 1; n <= memory.size(); ++n) {
            const auto& row = store.RecordTable[static_cast<std::size_t>(store.rowOfRecord(static_cast<int>(n)))];
            for (int b = 0; b < 31; ++b)
                if (row[static_cast<std::size_t>(b)] != memory[n - 1][static_cast<std::size_t>(b)])
                    return false;
        }
        return true;
    }
};
