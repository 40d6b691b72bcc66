#pragma once

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QString>

#include <utility>
#include <vector>

// Lines at millimetre positions on the printable area, a new page when the
// next line would pass its bottom. Painter coordinates stay in device units:
// scaling the painter would scale the font too.
class ReportPage {
public:
    ReportPage(QPagedPaintDevice& printer, QPainter& painter) : printer_(printer), painter_(painter)
    {
        const QFontMetricsF m(painter.font(), &printer);
        lineHeight_ = m.height();
        ascent_ = m.ascent();
        const int resolution = printer.logicalDpiY();
        dotsPerMm_ = resolution / 25.4;
        bottom_ = printer.pageLayout().paintRectPixels(resolution).height();
    }

    bool blankLines(int count)
    {
        for (int i = 0; i < count; ++i)
            if (!line({}))
                return false;
        return true;
    }

    // Each text at its millimetre position on one line.
    // Room for `lines` more lines on this page.
    bool room(int lines) const { return y_ + lines * lineHeight_ <= bottom_; }
    bool newPage()
    {
        y_ = 0;
        return printer_.newPage();
    }
    bool line(const std::vector<std::pair<double, QString>>& texts)
    {
        if (y_ > 0 && y_ + lineHeight_ > bottom_) {
            if (!printer_.newPage())
                return false;
            y_ = 0;
        }
        for (const auto& [mm, text] : texts)
            painter_.drawText(QPointF(mm * dotsPerMm_, y_ + ascent_), text);
        y_ += lineHeight_;
        return true;
    }

private:
    QPagedPaintDevice& printer_;
    QPainter& painter_;
    double lineHeight_ = 0;
    double ascent_ = 0;
    double dotsPerMm_ = 0;
    double bottom_ = 0;
    double y_ = 0;
};
