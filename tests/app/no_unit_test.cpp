// The program on the system's real HID access (hidapi with its backend for
// this system) with no timing unit plugged in: it says so, keeps asking,
// answers every button, and "Exit" ends it.
#include "app/timer_application.h"
#include "device/background_search.h"
#include "device/device_link.h"
#include "device/hidapi_access.h"
#include "support/scripted_prompt.h"

#include <QLabel>
#include <QPrinterInfo>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(NoUnit, TheProgramSaysSoStaysUsableAndExitEndsIt)
{
    SteadyClock clock;
    HidapiAccess hid(clock);
    if (!hid.enumerate(TimerVendorId, TimerProductId).empty())
        GTEST_SKIP() << "a timing unit is plugged into this machine";
    ScriptedPrompt prompt;
    // As the program searches: on a thread of its own after the first time.
    BackgroundSearch search(hid);
    TimerApplication app({.hid = search, .clock = clock, .prompt = &prompt});
    QStringList captions;
    QObject::connect(&app, &TimerApplication::linkStatusShown, [&](const QString& c) { captions << c; });
    app.Load();
    app.window().show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return app.started(); }));
    EXPECT_EQ(app.window().statusLabel().text(), "USB Not Found ");

    // Ticks go on looking for the unit; every button answers meanwhile.
    QTest::qWait(700);
    for (const auto which : {MainWindow::Button::SortTime, MainWindow::Button::SortBib, MainWindow::Button::SortSeq,
                             MainWindow::Button::DayTime, MainWindow::Button::Time, MainWindow::Button::GetMemory})
        app.window().button(which).click();
    QTest::qWait(300);
    EXPECT_EQ(app.window().statusLabel().text(), "USB Not Found ");
    EXPECT_TRUE(captions.filter("Readfile").isEmpty()) << captions.join('|').toStdString();
    EXPECT_TRUE(prompt.messages.isEmpty()) << prompt.messages.join('|').toStdString();
    EXPECT_TRUE(prompt.notices.isEmpty()) << prompt.notices.join('|').toStdString();

    QSignalSpy exit(&app, &TimerApplication::exitRequested);
    app.window().button(MainWindow::Button::Exit).click();
    EXPECT_EQ(exit.count(), 1);
    EXPECT_TRUE(app.state().link.closed);
}

// "Print" on the system's own print support, with no printer set up: the
// operator is told, whether no print service runs or it has no printer.
TEST(NoPrinter, PrintSaysSoAndKeepsTheRecords)
{
    if (!QPrinterInfo::defaultPrinter().isNull())
        GTEST_SKIP() << "this machine has a default printer";
    SteadyClock clock;
    HidapiAccess hid(clock);
    ScriptedPrompt prompt;
    TimerApplication app({.hid = hid, .clock = clock, .prompt = &prompt});
    app.Load();
    app.window().button(MainWindow::Button::Print).click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !app.printing(); }, 30000));
    ASSERT_EQ(prompt.messages.size(), 1);
    const QString& told = prompt.messages[0];
    EXPECT_TRUE(told.startsWith("Nothing was printed. No default printer is set up")
                || told.startsWith("Nothing was printed. The print service of this computer is not running"))
        << told.toStdString();
}

} // namespace
