// What the operator's actions do while a tick of the poll is waiting for the
// unit: each runs at once, as between two ticks, and the tick goes on.
#include "export/export_dialog.h"
#include "presentation/focus_scroll_bar.h"
#include "presentation/results_picture.h"
#include "support/app_rig.h"
#include "support/printers.h"
#include "support/scripted_prompt.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

using Request = ManualTickScheduler::Request;

// Steps the tick until `done` or until it ends.
bool StepUntil(AppRig& r, const std::function<bool()>& done)
{
    while (r.app->tickInProgress()) {
        if (done())
            return true;
        r.step();
    }
    return done();
}

int CountOf(const QStringList& list, const QString& text) { return static_cast<int>(list.count(text)); }

TEST(WhileATickWaits, GetMemoryAtTheFirstReadSendsAtOnceAndTheTickFilesTheDownload)
{
    AppRig r;
    r.load();
    r.tickUntilWaiting();
    ASSERT_TRUE(r.app->tickInProgress());
    ASSERT_LE(r.state().link.pendingRead.completedReads, 1);
    r.getMemory();
    EXPECT_EQ(r.unit.commandCount(151), 1);
    EXPECT_TRUE(r.app->tickInProgress());
    // The same tick goes on and files every record as it arrives.
    r.settle();
    EXPECT_EQ(r.state().records.table().RecordCount, 48);
    EXPECT_TRUE(r.tableHoldsMemory());
    EXPECT_EQ(r.seqAt(34), "48");
}

TEST(WhileATickWaits, GetMemoryInTheMiddleOfAPass)
{
    AppRig r;
    r.load();
    r.app->Timer1Tick();
    ASSERT_TRUE(StepUntil(r, [&] { return r.state().link.pendingRead.completedReads >= 20; }));
    r.getMemory();
    EXPECT_EQ(r.unit.commandCount(151), 1);
    r.settle();
    EXPECT_TRUE(r.tableHoldsMemory());
}

TEST(WhileATickWaits, ExitEndsTheTickWithoutTouchingTheUnitAgain)
{
    AppRig r;
    r.load();
    r.tickUntilWaiting();
    const int opens = r.hid.opens("unit");
    r.click(AppRig::Button::Exit);
    EXPECT_EQ(r.exitRequests, 1);
    EXPECT_EQ(r.hid.closes("unit"), 1);
    EXPECT_FALSE(r.app->tickInProgress());
    EXPECT_FALSE(r.scheduler.pending());
    const QStringList captions = r.captions;

    // Whatever was queued behind it: the unit's news, Timer1, a click.
    r.scheduler.fire();
    r.app->Timer1Tick();
    r.settle();
    r.click(AppRig::Button::GetMemory);
    EXPECT_EQ(r.captions, captions);
    EXPECT_EQ(r.hid.opens("unit"), opens);
    EXPECT_EQ(r.unit.commandCount(151), 0);
    r.app.reset();
    EXPECT_EQ(r.hid.closes("unit"), 1);
}

TEST(WhileATickWaits, ClosingTheWindowEndsTheTickAndClosesTheUnitOnce)
{
    AppRig r;
    r.load();
    r.app->window().show();
    r.tickUntilWaiting();
    EXPECT_TRUE(r.app->window().close());
    EXPECT_FALSE(r.app->tickInProgress());
    EXPECT_EQ(r.hid.closes("unit"), 1);
    r.scheduler.fire();
    r.app.reset();
    EXPECT_EQ(r.hid.closes("unit"), 1);
}

TEST(WhileATickWaits, TheUnitUnpluggedIsToldAtOnceAndTheRecordsStay)
{
    AppRig r;
    r.load();
    r.getMemory();
    r.app->Timer1Tick();
    ASSERT_TRUE(StepUntil(r, [&] { return r.state().records.table().RecordCount >= 10; }));
    ASSERT_EQ(r.scheduler.request, Request::At);
    r.unit.unplug();
    r.captions.clear();
    const std::int64_t before = r.clock.nowUs();
    r.scheduler.fire(); // the HID layer's news that the unit has gone
    // Told at once, not after the read's 500 ms; a pass that had brought bytes
    // is followed by one more, which searches in vain.
    EXPECT_EQ(r.clock.nowUs(), before);
    ASSERT_FALSE(r.captions.isEmpty());
    EXPECT_EQ(r.captions.first(), "Readfile Timeout ");
    r.settle();
    const int filed = r.state().records.table().RecordCount;
    EXPECT_GE(filed, 10);
    r.tick();
    EXPECT_EQ(r.caption(), "USB Not Found ");
    EXPECT_EQ(r.state().records.table().RecordCount, filed);
}

TEST(WhileATickWaits, Timer1StartsNoSecondTickButTheNextOneFollowsAtOnce)
{
    AppRig r;
    r.load();
    r.captions.clear();
    r.app->Timer1Tick();
    ASSERT_TRUE(StepUntil(r, [&] { return r.state().link.pendingRead.completedReads >= 10; }));
    const int reads = r.state().link.pendingRead.completedReads;
    r.app->Timer1Tick();
    EXPECT_EQ(r.state().link.pendingRead.completedReads, reads);
    EXPECT_EQ(r.scheduler.request, Request::At);
    // The tick that came late runs once this one has ended, not alongside it.
    r.settle();
    EXPECT_EQ(CountOf(r.captions, "USB Communication OK"), 2);
    r.tick();
    EXPECT_EQ(CountOf(r.captions, "USB Communication OK"), 3);
}

// Each of the other actions, done in the middle of a download, as it would be
// between two ticks; then the download completes.
TEST(WhileATickWaits, TheOtherActionsRunAndTheTickGoesOn)
{
    struct Case {
        const char* name;
        std::function<void(AppRig&)> act;
        std::function<bool(AppRig&)> done;
    };
    const Case cases[] = {
        {"Sort Bib #", [](AppRig& r) { r.click(AppRig::Button::SortBib); },
         [](AppRig& r) {
             for (int row = 5; row <= 34; ++row)
                 if (std::stoi(r.app->results().rowTexts(row)[1]) < std::stoi(r.app->results().rowTexts(row - 1)[1]))
                     return false;
             return true;
         }},
        {"Day Time", [](AppRig& r) { r.click(AppRig::Button::DayTime); },
         [](AppRig& r) { return r.app->results().rowTexts(4)[3].size() == 11; }},
        {"Time", [](AppRig& r) { r.click(AppRig::Button::Time); },
         [](AppRig& r) { return r.app->results().rowTexts(4)[3].find('.') != std::string::npos; }},
        {"a click on a line",
         [](AppRig& r) {
             ResultsPicture& picture = r.app->window().picture();
             const double h = picture.textHeightTwips("hi") / (1440.0 / picture.logicalDpiY());
             QTest::mouseClick(&picture, Qt::LeftButton, Qt::NoModifier, QPoint(40, static_cast<int>(4.25 * h)));
         },
         [](AppRig& r) { return r.seqAt(4).find("   *") != std::string::npos; }},
        {"the scroll bar", [](AppRig& r) { r.app->window().scrollBar().setValue(0); },
         [](AppRig& r) { return r.seqAt(4) == "1"; }},
        {"Write File", [](AppRig& r) { r.click(AppRig::Button::WriteFile); },
         [](AppRig& r) { return r.app->exportDialog() && r.app->exportDialog()->isVisible(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPrompt prompt;
        AppRig r(true, 80, &prompt);
        r.load();
        r.getMemory();
        r.app->Timer1Tick();
        ASSERT_TRUE(StepUntil(r, [&] { return r.state().records.table().RecordCount >= 40; }));
        ASSERT_EQ(r.scheduler.request, Request::At);
        c.act(r);
        EXPECT_TRUE(c.done(r));
        EXPECT_TRUE(r.app->tickInProgress());
        r.settle();
        EXPECT_EQ(r.state().records.table().RecordCount, 80);
        EXPECT_TRUE(prompt.messages.isEmpty());
    }
}

TEST(WhileATickWaits, PrintRunsAndTheTickGoesOn)
{
    ScriptedPrompt prompt;
    QTemporaryDir dir;
    PdfPrinter pdf(dir.filePath("job.pdf"));
    AppRig r(true, 60, &prompt);
    r.app->setPrintSystem(pdf);
    r.load();
    r.getMemory();
    r.app->Timer1Tick();
    ASSERT_TRUE(StepUntil(r, [&] { return r.state().records.table().ReportedRecordCount > 0; }));
    r.click(AppRig::Button::Print);
    ASSERT_TRUE(r.waitForPrint());
    EXPECT_TRUE(prompt.messages.isEmpty());
    EXPECT_GT(QFile(dir.filePath("job.pdf")).size(), 0);
    r.settle();
    EXPECT_TRUE(r.tableHoldsMemory());
}

} // namespace
