#include "device/unit_not_opened.h"

#include <gtest/gtest.h>

namespace {

// Each reason gets its own advice, in the words of the system the program runs on.
TEST(UnitNotOpened, EachReasonIsToldApartAndSaysWhatToDo)
{
    const std::string busy = ExplainUnitNotOpened("p", OpenFailure::Busy);
    const std::string denied = ExplainUnitNotOpened("p", OpenFailure::NoPermission);
    const std::string other = ExplainUnitNotOpened("p", OpenFailure::Other);
    EXPECT_NE(busy.find("another program"), std::string::npos) << busy;
    EXPECT_NE(busy, denied);
    EXPECT_NE(busy, other);
    EXPECT_NE(denied, other);
    EXPECT_EQ(ExplainUnitNotOpened("p", OpenFailure::None), other);
    for (const std::string& text : {busy, denied, other}) {
        EXPECT_EQ(text.rfind("A timing unit is plugged in", 0), 0u) << text;
        EXPECT_NE(text.find("plug"), std::string::npos) << text;
    }
}

} // namespace
