#include "app/mark_history.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// Undo and redo step through the operator's marks one change at a time,
// each putting its mark back; a new mark ends what could be redone.
TEST(MarkHistory, UndoAndRedoStepThroughTheMarks)
{
    std::map<int, int> table;
    MarkHistory history([&table](int record, int mark) { table[record] = mark; });
    const auto click = [&](int record, int after) {
        history.marked({record, table[record], after});
        table[record] = after;
    };
    click(1, 1);
    click(1, 2);
    click(2, 1);
    struct Step {
        bool undo;
        int record;
        int markAfter;
    };
    const Step steps[] = {{true, 2, 0}, {true, 1, 1}, {true, 1, 0}, {false, 1, 1}, {false, 1, 2}};
    for (const Step& s : steps) {
        const auto change = s.undo ? history.undo() : history.redo();
        ASSERT_TRUE(change);
        EXPECT_EQ(change->record, s.record);
        EXPECT_EQ(change->after, s.markAfter);
        EXPECT_EQ(table[s.record], s.markAfter);
    }
    ASSERT_TRUE(history.nextRedo());
    EXPECT_EQ(history.nextRedo()->record, 2);
    click(3, 1);
    EXPECT_FALSE(history.redo());
    EXPECT_EQ(history.nextUndo()->record, 3);
    history.clear();
    EXPECT_FALSE(history.undo());
    EXPECT_EQ(table[3], 1);
}

} // namespace
