#include "app/main_window.h"
#include "app/main_window_layout.h"
#include "presentation/focus_scroll_bar.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

namespace {

int Twips(int pixels, int dpi) { return static_cast<int>(std::lround(pixels * 1440.0 / dpi)); }

// Every control where the layout puts it, the buttons with their captions,
// none of them over another or outside the window.
TEST(MainWindow, EveryControlAtItsTwipPosition)
{
    namespace L = MainWindowLayout;
    MainWindow w;
    const int dx = w.logicalDpiX();
    const int dy = w.logicalDpiY();
    EXPECT_EQ(Twips(w.width(), dx), L::WidthTwips);
    EXPECT_EQ(Twips(w.height(), dy), L::HeightTwips);
    std::vector<std::pair<const char*, L::Box>> boxes{
        {"Picture1", L::Picture1}, {"VScroll1", L::VScroll1}, {"MessUSB", L::MessUSB}, {"OperatorLine", L::OperatorLine}};
    for (const L::ButtonSpec& b : L::Buttons) {
        boxes.emplace_back(b.name, b.box);
        auto* button = w.findChild<QPushButton*>(b.name);
        ASSERT_NE(button, nullptr) << b.name;
        EXPECT_EQ(button, &w.button(b.which)) << b.name;
        EXPECT_EQ(button->text(), b.caption);
        EXPECT_FALSE(button->isDefault());
        EXPECT_FALSE(button->autoDefault());
    }
    std::vector<QRect> buttonRects;
    for (const auto& [name, box] : boxes) {
        auto* widget = w.findChild<QWidget*>(name);
        ASSERT_NE(widget, nullptr) << name;
        const QRect g = widget->geometry();
        EXPECT_EQ(Twips(g.x(), dx), box.left) << name;
        EXPECT_EQ(Twips(g.y(), dy), box.top) << name;
        EXPECT_EQ(Twips(g.width(), dx), box.width) << name;
        EXPECT_EQ(Twips(g.height(), dy), box.height) << name;
        EXPECT_TRUE(w.rect().contains(g)) << name;
        if (qobject_cast<QPushButton*>(widget)) {
            for (const QRect& other : buttonRects)
                EXPECT_FALSE(other.intersects(g)) << name;
            buttonRects.push_back(g);
        }
    }
    EXPECT_EQ(buttonRects.size(), std::size_t{MainWindow::ButtonCount});
    // The list and its scroll bar side by side; the lines below both, the buttons below the lines.
    EXPECT_LE(L::Picture1.left + L::Picture1.width, L::VScroll1.left);
    EXPECT_LE(L::Picture1.top + L::Picture1.height, L::OperatorLine.top);
    EXPECT_LE(L::OperatorLine.top + L::OperatorLine.height, L::Buttons[0].box.top);
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
