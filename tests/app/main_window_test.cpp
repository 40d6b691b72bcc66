#include "app/main_window.h"
#include "presentation/focus_scroll_bar.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
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

// Every control at its described place (the numbers here, not the table the
// window is built from), below the menu bar, which the window grows by; the
// buttons with their captions, none of them over another or outside the window.
TEST(MainWindow, EveryControlAtItsTwipPositionBelowTheMenuBar)
{
    MainWindow w;
    const int dx = w.logicalDpiX();
    const int dy = w.logicalDpiY();
    const QWidget& menu = w.menuBar();
    EXPECT_EQ(menu.geometry().topLeft(), QPoint(0, 0));
    EXPECT_EQ(menu.width(), w.width());
    EXPECT_GT(menu.height(), 0);
    const int below = menu.height();
    EXPECT_EQ(Twips(w.width(), dx), 10155);
    EXPECT_EQ(Twips(w.height() - below, dy), 9030);
    const struct {
        const char* name;
        const char* caption;
        int left, top, width, height;
    } described[] = {
        {"SortSeq", "Sort Seq #", 5640, 8400, 975, 375},   {"SortBib", "Sort Bib #", 4560, 8400, 975, 375},
        {"SortTime", "Sort Time", 3480, 8400, 975, 375},   {"Command1", "Print", 6720, 8400, 975, 375},
        {"Normal", "Time", 1320, 8400, 855, 375},          {"MilitaryT", "Day Time", 2280, 8400, 1095, 375},
        {"Reset", "Get Memory", 120, 8400, 1095, 375},     {"WriteFile", "Write File", 7800, 8400, 1095, 375},
        {"Exit", "Exit", 9000, 8400, 975, 375},            {"VScroll1", nullptr, 9600, 240, 375, 7335},
        {"Picture1", nullptr, 120, 240, 9375, 7335},       {"MessUSB", nullptr, 120, 7800, 9855, 375},
        {"OperatorLine", nullptr, 2760, 7590, 7215, 795},
    };
    std::vector<QRect> buttonRects;
    for (const auto& c : described) {
        auto* widget = w.findChild<QWidget*>(c.name);
        ASSERT_NE(widget, nullptr) << c.name;
        const QRect g = widget->geometry();
        EXPECT_EQ(Twips(g.x(), dx), c.left) << c.name;
        EXPECT_EQ(Twips(g.y() - below, dy), c.top) << c.name;
        EXPECT_EQ(Twips(g.width(), dx), c.width) << c.name;
        EXPECT_EQ(Twips(g.height(), dy), c.height) << c.name;
        EXPECT_TRUE(w.rect().contains(g)) << c.name;
        if (auto* button = qobject_cast<QPushButton*>(widget)) {
            EXPECT_EQ(button->text(), c.caption);
            EXPECT_FALSE(button->isDefault());
            EXPECT_FALSE(button->autoDefault());
            for (const QRect& other : buttonRects)
                EXPECT_FALSE(other.intersects(g)) << c.name;
            buttonRects.push_back(g);
        }
    }
    EXPECT_EQ(buttonRects.size(), std::size_t{MainWindow::ButtonCount});
}

// Every action in a menu, each with the key that does it beside it; the
// items for the buttons do what the buttons do.
TEST(MainWindow, EveryActionIsInTheMenuWithItsKey)
{
    MainWindow w;
    QStringList titles;
    QList<QAction*> items;
    for (QAction* menu : w.menuBar().actions()) {
        titles << menu->text();
        for (QAction* item : menu->menu()->actions())
            if (!item->isSeparator())
                items << item;
    }
    EXPECT_EQ(titles, (QStringList{"&File", "&Edit", "&View", "&Lists", "&Results", "&Help"}));
    for (int b = 0; b < MainWindow::ButtonCount; ++b)
        EXPECT_TRUE(items.contains(&w.buttonAction(static_cast<MainWindow::Button>(b)))) << b;
    for (int a = 0; a < MainWindow::ListActionCount; ++a)
        EXPECT_TRUE(items.contains(&w.listAction(static_cast<MainWindow::ListAction>(a)))) << a;
    for (QAction* item : items)
        if (item->menuRole() != QAction::AboutRole)
            EXPECT_FALSE(item->shortcut().isEmpty()) << item->text().toStdString();
    EXPECT_EQ(w.buttonAction(MainWindow::Button::WriteFile).shortcut(), QKeySequence(QStringLiteral("Alt+W")));
    EXPECT_EQ(w.buttonAction(MainWindow::Button::SortBib).shortcut(), QKeySequence(QStringLiteral("Alt+2")));

    std::vector<SortChoice> sorts;
    QObject::connect(&w, &MainWindow::sortRequested, [&](SortChoice s) { sorts.push_back(s); });
    int writes = 0;
    QObject::connect(&w, &MainWindow::writeFileRequested, [&] { ++writes; });
    w.buttonAction(MainWindow::Button::SortBib).trigger();
    w.buttonAction(MainWindow::Button::WriteFile).trigger();
    EXPECT_EQ(sorts, std::vector<SortChoice>{SortChoice::ByBib});
    EXPECT_EQ(writes, 1);
}

TEST(MainWindow, LookAndTimer)
{
    MainWindow w;
    EXPECT_EQ(w.windowTitle(), "Trivex Timing Interface Window");
    EXPECT_EQ(w.palette().color(QPalette::Window), QColor(192, 255, 255));
    EXPECT_EQ(w.minimumSize(), w.maximumSize()); // not resizable
    EXPECT_TRUE(w.statusLabel().text().isEmpty());
    // Still until the start-up starts it.
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
