#include "app/unit_not_opened_texts.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

// Each reason gets its own advice, in the words of the system the program
// runs on (either system's words match), and no other reason's.
TEST(UnitNotOpened, EachReasonGetsItsOwnAdvice)
{
    using OperatorLineText::UnitNotOpened;
    const struct {
        OpenFailure why;
        const char* advice;
    } reasons[] = {
        {OpenFailure::NoPermission, "udev rule|does not let this program open it"},
        {OpenFailure::Busy, "another program is using it\\. Close that program"},
        {OpenFailure::Other, "could not (be opened|open it)\\. Unplug it"},
        {OpenFailure::None, "could not (be opened|open it)\\. Unplug it"},
    };
    for (const auto& reason : reasons) {
        const QString text = UnitNotOpened("p", reason.why);
        EXPECT_TRUE(text.startsWith("A timing unit is plugged in")) << text.toStdString();
        for (const auto& other : reasons) {
            const bool ownAdvice = QString(other.advice) == reason.advice;
            EXPECT_EQ(text.contains(QRegularExpression(other.advice)), ownAdvice)
                << text.toStdString() << " / " << other.advice;
        }
    }
}

} // namespace
