// "Get Memory" and the start-up on their own, on a virtual clock: each step,
// each pause as a later step, and the presses that come meanwhile.
#include "records/unit_sequences.h"
#include "support/poll_rig.h"
#include "support/record_fill.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Later steps run when the test says so.
struct ManualLater : LaterSteps {
    std::int64_t atUs = -1;
    std::function<void()> step;
    void callAfter(std::int64_t us, std::function<void()> s) override
    {
        atUs = us;
        step = std::move(s);
    }
    bool run(VirtualClock& clock)
    {
        if (!step)
            return false;
        clock.sleepUntilUs(atUs + 1);
        std::exchange(step, nullptr)();
        return true;
    }
};

struct Sequences : Poll {
    ManualLater later;
    UnitSequences sequences{protocol, poll, later};
    int asked = 0;
    int noUnit = 0;
    Sequences()
    {
        sequences.setAskedListener([this] { ++asked; });
        sequences.setNoUnitListener([this] { ++noUnit; });
    }
    void runLaterSteps()
    {
        for (int n = 0; n < 100 && later.run(clock); ++n) {
        }
    }
};

TEST(GetMemory, StopsAndClearsThenAsksAndPollsAgain)
{
    Poll p;
    p.edit([](RecordTableState& t) {
        t.RecordTable[7][RecordField::MarkState] = 2;
        t.RecordTable[7][RecordField::StartTime] = 5;
        t.RecordCount = 7;
    });
    p.ring.append(0x65);
    EXPECT_TRUE(EmptyTableForMemory(p.protocol));
    // Up to the pause: stopped and emptied, nothing asked yet.
    EXPECT_EQ(p.timer.calls, (std::vector<bool>{false}));
    EXPECT_TRUE(p.table().rowIsEmpty(7));
    EXPECT_EQ(p.table().RecordCount, 0);
    EXPECT_EQ(p.ring.bytes[1], 0);
    EXPECT_TRUE(p.unit.sent.empty());
    EXPECT_EQ(p.display.headings, 0);

    AskForMemory(p.protocol);
    EXPECT_EQ(p.timer.calls, (std::vector<bool>{false, true}));
    EXPECT_EQ(p.display.headings, 1);
    EXPECT_EQ(p.unit.sent, std::vector<std::uint8_t>{151});
}

TEST(GetMemory, WithNoUnitToAskTouchesNothing)
{
    Poll p;
    p.unit.present = false;
    p.edit([](RecordTableState& t) {
        t.RecordTable[7][RecordField::StartTime] = 5;
        t.RecordCount = 7;
    });
    const auto table = p.table().RecordTable;
    EXPECT_FALSE(EmptyTableForMemory(p.protocol));
    EXPECT_EQ(p.table().RecordTable, table);
    EXPECT_EQ(p.table().RecordCount, 7);
    EXPECT_TRUE(p.timer.calls.empty());
    EXPECT_EQ(p.display.headings, 0);
    EXPECT_TRUE(p.unit.sent.empty());
}

// The start-up: the read, half a second, then command 141 and the poll; a
// press of "Get Memory" meanwhile asks once the unit has had it.
TEST(UnitSequences, AGetMemoryPressedDuringTheStartUpAsksAfterCommand141)
{
    Sequences s;
    s.sequences.startUp();
    EXPECT_FALSE(s.sequences.started());
    EXPECT_EQ(s.sequences.GetMemory(), UnitSequences::Press::AfterStartUp);
    s.poll.resume(); // the start-up read ends
    EXPECT_EQ(s.later.atUs, UnitSequences::StartupWaitUs);
    EXPECT_TRUE(s.unit.sent.empty());
    EXPECT_EQ(s.sequences.GetMemory(), UnitSequences::Press::AfterStartUp);
    ASSERT_TRUE(s.later.run(s.clock));
    EXPECT_TRUE(s.sequences.started());
    EXPECT_EQ(s.unit.sent, std::vector<std::uint8_t>{141});
    EXPECT_EQ(s.timer.calls, (std::vector<bool>{true, false}));
    // The press waited for: the table emptied, then 151 after its pause.
    ASSERT_TRUE(s.later.run(s.clock));
    EXPECT_EQ(s.unit.sent, (std::vector<std::uint8_t>{141, 151}));
    EXPECT_EQ(s.asked, 1);
    EXPECT_FALSE(s.later.run(s.clock));
}

TEST(UnitSequences, PressesDuringThePauseAskOnceAndAStopSendsNothing)
{
    const struct {
        bool stopInThePause;
        std::vector<std::uint8_t> sent;
    } cases[] = {{false, {151}}, {true, {}}};
    for (const auto& c : cases) {
        Sequences s;
        EXPECT_EQ(s.sequences.GetMemory(), UnitSequences::Press::Pausing);
        for (int n = 0; n < 4; ++n)
            EXPECT_EQ(s.sequences.GetMemory(), UnitSequences::Press::AlreadyOnItsWay);
        if (c.stopInThePause) {
            s.sequences.stop();
            s.later.step = nullptr; // as the program cancels its later step
        }
        s.later.run(s.clock);
        EXPECT_EQ(s.unit.sent, c.sent) << c.stopInThePause;
        EXPECT_EQ(s.asked, c.stopInThePause ? 0 : 1);
        // Pressed again after: a new download.
        EXPECT_EQ(s.sequences.GetMemory(), UnitSequences::Press::Pausing);
    }
}

TEST(UnitSequences, WithNoUnitThePressKeepsTheRecords)
{
    Sequences s;
    s.unit.present = false;
    s.edit([](RecordTableState& t) {
        FillRow(t, 3, MakeTimerRecord({.start = 5}));
        t.RecordCount = 3;
    });
    EXPECT_EQ(s.sequences.GetMemory(), UnitSequences::Press::NoUnit);
    EXPECT_FALSE(s.later.run(s.clock));
    EXPECT_EQ(s.table().RecordCount, 3);
}

// A silent unit's link closes whenever a read runs out, and the search for
// it runs on a thread: a press then, or a pause that sees the link close,
// waits for that search instead of being lost or told "no unit".
TEST(UnitSequences, APressWhileTheUnitIsLookedForWaitsForTheSearch)
{
    const struct {
        const char* what;
        int searchingAtThePress;
        int searchingInThePause;
        bool foundAtLast;
        std::vector<std::uint8_t> sent;
    } cases[] = {
        {"pressed while searching, found", 3, 0, true, {151}},
        {"pressed while searching, none found", 3, 0, false, {}},
        {"the link closed in the pause, found again", 0, 4, true, {151}},
        {"the link closed in the pause, none found", 0, 4, false, {}},
    };
    for (const auto& c : cases) {
        Sequences s;
        s.edit([](RecordTableState& t) {
            FillRow(t, 3, MakeTimerRecord({.start = 5}));
            t.RecordCount = 3;
        });
        s.unit.searchingLooks = c.searchingAtThePress;
        s.unit.present = c.foundAtLast || c.searchingInThePause > 0;
        const auto press = s.sequences.GetMemory();
        EXPECT_EQ(press, c.searchingAtThePress ? UnitSequences::Press::AwaitingSearch : UnitSequences::Press::Pausing)
            << c.what;
        EXPECT_TRUE(s.sequences.askingForMemory()) << c.what;
        // Pressed again while it waits: the same download.
        EXPECT_EQ(s.sequences.GetMemory(), UnitSequences::Press::AlreadyOnItsWay) << c.what;
        if (c.searchingInThePause) {
            s.unit.searchingLooks = c.searchingInThePause;
            s.unit.present = c.foundAtLast;
        }
        s.runLaterSteps();
        EXPECT_EQ(s.unit.sent, c.sent) << c.what;
        EXPECT_EQ(s.asked, c.foundAtLast ? 1 : 0) << c.what;
        EXPECT_EQ(s.noUnit, c.foundAtLast ? 0 : 1) << c.what;
        EXPECT_FALSE(s.sequences.askingForMemory()) << c.what;
        // Found by no search before it was emptied: the records stay.
        if (c.searchingAtThePress && !c.foundAtLast)
            EXPECT_EQ(s.table().RecordCount, 3) << c.what;
    }
}

} // namespace
