#pragma once

#include <QPaintDevice>
#include <QRect>

#include <cmath>

// Window geometry is given in twips (1/1440 inch): 15 to a pixel at 96 dpi,
// following the screen's logical dpi.
constexpr double TwipsPerInch = 1440.0;

inline int TwipsToPixelsX(const QPaintDevice& d, double twips)
{
    return static_cast<int>(std::lround(twips * d.logicalDpiX() / TwipsPerInch));
}
inline int TwipsToPixelsY(const QPaintDevice& d, double twips)
{
    return static_cast<int>(std::lround(twips * d.logicalDpiY() / TwipsPerInch));
}
inline QRect TwipsRect(const QPaintDevice& d, int left, int top, int width, int height)
{
    const int x = TwipsToPixelsX(d, left);
    const int y = TwipsToPixelsY(d, top);
    return QRect(x, y, TwipsToPixelsX(d, left + width) - x, TwipsToPixelsY(d, top + height) - y);
}
