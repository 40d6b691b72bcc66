// The list and the buttons at a device pixel ratio above 1 (the program sets
// QT_SCALE_FACTOR: it is built for 1.5 and for 2).
#include "support/app_rig.h"

#include "presentation/results_picture.h"
#include "common/twips.h"

#include <QFontMetricsF>
#include <QPushButton>
#include <QStyle>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(HighDpi, TheListIsDrawnAtTheScreensPixelRatio)
{
    AppRig r(true, 10);
    r.loadAndDownload();
    ResultsPicture& picture = r.app->window().picture();
    const double ratio = std::atof(TRIVEX_TEST_SCALE_FACTOR);
    ASSERT_EQ(picture.devicePixelRatioF(), ratio);
    const QImage& image = picture.image();
    EXPECT_EQ(image.devicePixelRatio(), ratio);
    EXPECT_EQ(image.size(), (QSizeF(picture.size()) * ratio).toSize());
    // The geometry stays in logical pixels: the window keeps its twips.
    EXPECT_EQ(picture.width(), TwipsToPixelsX(picture, 9375));
    // Text in the first record line, drawn at full resolution.
    int dark = 0;
    const int top = static_cast<int>(4 * picture.textHeightTwips("hi") / 15.0 * ratio);
    for (int y = top; y < top + 20; ++y)
        for (int x = 0; x < 100; ++x)
            dark += image.pixel(x, y) != qRgb(255, 255, 255);
    EXPECT_GT(dark, 20);
}

TEST(HighDpi, EveryCaptionFitsItsButtonWithRoom)
{
    AppRig r(true, 10);
    MainWindow& w = r.app->window();
    w.show();
    const int room = 2 * (w.style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 3);
    for (int i = 0; i < MainWindow::ButtonCount; ++i) {
        const QPushButton& b = w.button(static_cast<MainWindow::Button>(i));
        EXPECT_LE(QFontMetricsF(b.font()).horizontalAdvance(b.text()) + room, b.width()) << b.text().toStdString();
    }
}

} // namespace
