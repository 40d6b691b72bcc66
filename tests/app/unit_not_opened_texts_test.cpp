#include "app/unit_not_opened_texts.h"

#include <gtest/gtest.h>

namespace {

// Each reason gets its own advice, in the words of the system the program runs on.
TEST(UnitNotOpened, EachReasonIsToldApartAndSaysWhatToDo)
{
    using OperatorLineText::UnitNotOpened;
    const QString busy = UnitNotOpened("p", OpenFailure::Busy);
    const QString denied = UnitNotOpened("p", OpenFailure::NoPermission);
    const QString other = UnitNotOpened("p", OpenFailure::Other);
    EXPECT_TRUE(busy.contains("another program")) << busy.toStdString();
    EXPECT_NE(busy, denied);
    EXPECT_NE(busy, other);
    EXPECT_NE(denied, other);
    EXPECT_EQ(UnitNotOpened("p", OpenFailure::None), other);
    for (const QString& text : {busy, denied, other}) {
        EXPECT_TRUE(text.startsWith("A timing unit is plugged in")) << text.toStdString();
        EXPECT_TRUE(text.contains("plug")) << text.toStdString();
    }
}

} // namespace
