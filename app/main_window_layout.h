#pragma once

#include "app/main_window.h"

#include <QtGlobal>

// The main window's described geometry, in twips, with the buttons'
// captions (marked for translation, translated where they are shown) and
// object names: the one place these are written. The window
// is laid out from it, and its test checks the window against it.
namespace MainWindowLayout {

struct Box {
    int left, top, width, height;
};

inline constexpr int WidthTwips = 10155;
inline constexpr int HeightTwips = 9030;

struct ButtonSpec {
    MainWindow::Button which;
    const char* name;
    const char* caption;
    Box box;
    // Reached from the keyboard with Alt and this key; the captions stay as they are.
    const char* key;
    const char* purpose;
};

// In the order of creation; the tab order is set separately.
inline constexpr ButtonSpec Buttons[] = {
    {MainWindow::Button::SortSeq, "SortSeq", QT_TRANSLATE_NOOP("MainWindow", "Sort Seq #"), {5640, 8400, 975, 375}, "3",
     QT_TRANSLATE_NOOP("MainWindow", "Order the page by sequence number")},
    {MainWindow::Button::SortBib, "SortBib", QT_TRANSLATE_NOOP("MainWindow", "Sort Bib #"), {4560, 8400, 975, 375}, "2", QT_TRANSLATE_NOOP("MainWindow", "Order the page by bib number")},
    {MainWindow::Button::SortTime, "SortTime", QT_TRANSLATE_NOOP("MainWindow", "Sort Time"), {3480, 8400, 975, 375}, "1",
     QT_TRANSLATE_NOOP("MainWindow", "Order the page by elapsed time")},
    {MainWindow::Button::Print, "Command1", QT_TRANSLATE_NOOP("MainWindow", "Print"), {6720, 8400, 975, 375}, "P",
     QT_TRANSLATE_NOOP("MainWindow", "Print the list on the default printer")},
    {MainWindow::Button::Time, "Normal", QT_TRANSLATE_NOOP("MainWindow", "Time"), {1320, 8400, 855, 375}, "T", QT_TRANSLATE_NOOP("MainWindow", "Show the times in seconds")},
    {MainWindow::Button::DayTime, "MilitaryT", QT_TRANSLATE_NOOP("MainWindow", "Day Time"), {2280, 8400, 1095, 375}, "D",
     QT_TRANSLATE_NOOP("MainWindow", "Show the times as times of day")},
    {MainWindow::Button::GetMemory, "Reset", QT_TRANSLATE_NOOP("MainWindow", "Get Memory"), {120, 8400, 1095, 375}, "G",
     QT_TRANSLATE_NOOP("MainWindow", "Ask the unit for the records in its memory")},
    {MainWindow::Button::WriteFile, "WriteFile", QT_TRANSLATE_NOOP("MainWindow", "Write File"), {7800, 8400, 1095, 375}, "W",
     QT_TRANSLATE_NOOP("MainWindow", "Write the list to a text file, or a spreadsheet file (a name ending in .csv)")},
    {MainWindow::Button::Exit, "Exit", QT_TRANSLATE_NOOP("MainWindow", "Exit"), {9000, 8400, 975, 375}, "X",
     QT_TRANSLATE_NOOP("MainWindow", "Close the link to the unit and end the program")},
};

inline constexpr Box Picture1{120, 240, 9375, 7335};
inline constexpr Box VScroll1{9600, 240, 375, 7335};
inline constexpr Box MessUSB{120, 7800, 9855, 375};
// Not a described control: right of where the captions end, and as high as
// the free band between the list and the buttons, for the lines a long text
// wraps onto.
inline constexpr Box OperatorLine{2760, 7590, 7215, 795};

} // namespace MainWindowLayout
