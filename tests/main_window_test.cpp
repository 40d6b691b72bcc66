#include "app/main_window.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
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

} // namespace
