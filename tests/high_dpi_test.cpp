// The list at a device pixel ratio of 2 (the program sets QT_SCALE_FACTOR=2).
#include "support/app_rig.h"

#include "presentation/results_picture.h"
#include "presentation/twips.h"

#include <gtest/gtest.h>

namespace {

TEST(HighDpi, TheListIsDrawnAtTheScreensPixelRatio)
{
    AppRig r(true, 10);
    r.loadAndDownload();
    ResultsPicture& picture = r.app->window().picture();
    ASSERT_EQ(picture.devicePixelRatioF(), 2.0);
    const QImage& image = picture.image();
    EXPECT_EQ(image.devicePixelRatio(), 2.0);
    EXPECT_EQ(image.size(), picture.size() * 2);
    // The geometry stays in logical pixels: the window keeps its twips.
    EXPECT_EQ(picture.width(), TwipsToPixelsX(picture, 9375));
    // Text in the first record line, drawn at full resolution.
    int dark = 0;
    const int top = static_cast<int>(4 * picture.textHeightTwips("hi") / 15.0 * 2);
    for (int y = top; y < top + 20; ++y)
        for (int x = 0; x < 100; ++x)
            dark += image.pixel(x, y) != qRgb(255, 255, 255);
    EXPECT_GT(dark, 20);
}

} // namespace
