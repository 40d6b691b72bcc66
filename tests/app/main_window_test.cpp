#include "app/main_window.h"
#include "presentation/focus_scroll_bar.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Control {
    const char* name;
    const char* caption;
    int left, top, width, height;
};

const Control Controls[] = {
    {"SortSeq", "Sort Seq #", 5640, 8400, 975, 375},  {"SortBib", "Sort Bib #", 4560, 8400, 975, 375},
    {"SortTime", "Sort Time", 3480, 8400, 975, 375},  {"Command1", "Print", 6720, 8400, 975, 375},
    {"Normal", "Time", 1320, 8400, 855, 375},         {"MilitaryT", "Day Time", 2280, 8400, 1095, 375},
    {"Reset", "Get Memory", 120, 8400, 1095, 375},    {"VScroll1", nullptr, 9600, 240, 375, 7335},
    {"WriteFile", "Write File", 7800, 8400, 1095, 375}, {"Picture1", nullptr, 120, 240, 9375, 7335},
    {"Exit", "Exit", 9000, 8400, 975, 375},           {"MessUSB", nullptr, 120, 7800, 9855, 375},
};

int Twips(int pixels, int dpi) { return static_cast<int>(std::lround(pixels * 1440.0 / dpi)); }

TEST(MainWindow, EveryControlAtItsTwipPosition)
{
    MainWindow w;
    const int dx = w.logicalDpiX();
    const int dy = w.logicalDpiY();
    EXPECT_EQ(Twips(w.width(), dx), 10155);
    EXPECT_EQ(Twips(w.height(), dy), 9030);
    for (const Control& c : Controls) {
        auto* widget = w.findChild<QWidget*>(c.name);
        ASSERT_NE(widget, nullptr) << c.name;
        const QRect g = widget->geometry();
        EXPECT_EQ(Twips(g.x(), dx), c.left) << c.name;
        EXPECT_EQ(Twips(g.y(), dy), c.top) << c.name;
        EXPECT_EQ(Twips(g.width(), dx), c.width) << c.name;
        EXPECT_EQ(Twips(g.height(), dy), c.height) << c.name;
        if (c.caption) {
            auto* button = qobject_cast<QPushButton*>(widget);
            ASSERT_NE(button, nullptr) << c.name;
            EXPECT_EQ(button->text(), c.caption);
            EXPECT_FALSE(button->isDefault());
            EXPECT_FALSE(button->autoDefault());
        }
    }
}

TEST(MainWindow, LookAndTimer)
{
    MainWindow w;
    EXPECT_EQ(w.windowTitle(), "Trivex Timing Interface Window");
    EXPECT_EQ(w.palette().color(QPalette::Window), QColor(192, 255, 255));
    EXPECT_EQ(w.minimumSize(), w.maximumSize()); // not resizable
    EXPECT_TRUE(w.statusLabel().text().isEmpty());
    EXPECT_EQ(w.pollTimer().interval(), 50);
    EXPECT_FALSE(w.pollTimer().isActive());
    EXPECT_EQ(w.findChild<QScrollBar*>("VScroll1")->maximum(), 0);
}

TEST(MainWindow, TabOrderStartsOnExit)
{
    MainWindow w;
    w.showCentred();
    const char* order[] = {"Exit", "Picture1", "WriteFile", "Reset", "MilitaryT",
                           "Normal", "Command1", "SortTime", "SortBib", "SortSeq"};
    QWidget* current = w.findChild<QWidget*>("Exit");
    for (std::size_t i = 1; i < std::size(order); ++i) {
        current = current->nextInFocusChain();
        while (current->focusPolicy() == Qt::NoFocus)
            current = current->nextInFocusChain();
        EXPECT_EQ(current->objectName(), order[i]);
    }
}

// Every caption fits its button with room on both sides (high_dpi_test.cpp
// checks it at device pixel ratios 1.5 and 2).
TEST(MainWindow, EveryCaptionFitsItsButtonWithRoom)
{
    MainWindow w;
    w.show();
    // The frame and 3 pixels on each side of the caption.
    const int room = 2 * (w.style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 3);
    QFont shared;
    for (const QPushButton* b : w.findChildren<QPushButton*>()) {
        const QFontMetrics m(b->font());
        EXPECT_LE(m.horizontalAdvance(b->text()) + room, b->width()) << b->text().toStdString();
        if (shared == QFont())
            shared = b->font();
        EXPECT_EQ(b->font(), shared) << "one font for every button";
    }
}

// The scroll bar's handle reads as a handle: clearly darker than its track.
TEST(MainWindow, TheScrollBarsHandleIsDarkerThanItsTrack)
{
    MainWindow w;
    QScrollBar& bar = w.scrollBar();
    bar.setRange(0, 100);
    bar.setPageStep(31);
    bar.setValue(0);
    w.show();
    const QImage image = bar.grab().toImage();
    // Down the middle: the handle starts under the up arrow, the track ends above the down arrow.
    const int x = image.width() / 2;
    const int handleY = image.height() / 6;
    const int trackY = image.height() * 3 / 4;
    const int handle = qGray(image.pixel(x, handleY));
    const int track = qGray(image.pixel(x, trackY));
    EXPECT_GE(track - handle, 40) << "handle " << handle << ", track " << track;
}

} // namespace
