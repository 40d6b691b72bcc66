#include "results_picture.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace {

constexpr double TwipsPerInch = 1440.0;
// Columns needed up to the end of a clock time in the last column (104 + 11),
// and rows from the headings down to the last record line.
constexpr int ColumnsNeeded = 114;
constexpr int RowsNeeded = 35;

} // namespace

ResultsPicture::ResultsPicture(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    font_ = QFontDatabase::systemFont(QFontDatabase::FixedFont);
}

double ResultsPicture::twipsPerPixelX() const { return TwipsPerInch / logicalDpiX(); }
double ResultsPicture::twipsPerPixelY() const { return TwipsPerInch / logicalDpiY(); }
int ResultsPicture::toPixelsX(double twips) const { return static_cast<int>(std::lround(twips / twipsPerPixelX())); }
int ResultsPicture::toPixelsY(double twips) const { return static_cast<int>(std::lround(twips / twipsPerPixelY())); }
double ResultsPicture::toTwipsY(double pixels) const { return pixels * twipsPerPixelY(); }

double ResultsPicture::columnWidthPixels() const { return QFontMetricsF(font_).averageCharWidth(); }

void ResultsPicture::chooseFont()
{
    QFont candidate = font_;
    candidate.setStyleHint(QFont::TypeWriter);
    candidate.setFixedPitch(true);
    for (int pixels = 16; pixels >= 6; --pixels) {
        candidate.setPixelSize(pixels);
        const QFontMetricsF m(candidate);
        if (m.averageCharWidth() * ColumnsNeeded <= QWidget::width() && m.height() * RowsNeeded <= height())
            break;
    }
    font_ = candidate;
}

void ResultsPicture::resizeEvent(QResizeEvent*) { ensureImage(); }

// A hidden widget gets its resize event only when shown; drawing may come first.
void ResultsPicture::ensureImage()
{
    if (image_.size() == size())
        return;
    QImage grown(size(), QImage::Format_RGB32);
    grown.fill(Qt::white);
    if (!image_.isNull()) {
        QPainter p(&grown);
        p.drawImage(0, 0, image_);
    }
    image_ = grown;
}

void ResultsPicture::clear()
{
    ensureImage();
    image_.fill(Qt::white);
    printX_ = 0;
    printY_ = 0;
    update();
}

void ResultsPicture::setPrintPosition(int x, int y)
{
    printX_ = x;
    printY_ = y;
}

int ResultsPicture::textHeight(const std::string& text) const
{
    const QFontMetricsF m(font_);
    const int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    return static_cast<int>(std::lround(m.height() * lines * twipsPerPixelY()));
}

void ResultsPicture::printLine(const std::vector<TabField>& fields)
{
    const int h = textHeight("hi");
    const int top = toPixelsY(printY_);
    const int rowHeight = toPixelsY(printY_ + h) - top;
    const double column = columnWidthPixels();
    const int left = toPixelsX(printX_);
    ensureImage();
    {
        QPainter p(&image_);
        p.setFont(font_);
        p.setPen(Qt::black);
        const QFontMetricsF m(font_);
        for (std::size_t i = 0; i < fields.size(); ++i) {
            const int x = left + static_cast<int>(std::lround((fields[i].column - 1) * column));
            const int right = i + 1 < fields.size()
                ? left + static_cast<int>(std::lround((fields[i + 1].column - 1) * column))
                : image_.width();
            if (right <= x)
                continue;
            QString text = QString::fromStdString(fields[i].text);
            // A text longer than its field stops at the next column: whole
            // characters in this fixed-pitch font, then the clip for any rest.
            if (i + 1 < fields.size())
                text.truncate(std::max(0, fields[i + 1].column - fields[i].column));
            p.setClipRect(QRect(x, top, right - x, rowHeight));
            p.drawText(QPointF(x, top + m.ascent()), text);
        }
    }
    printX_ = 0;
    printY_ += h;
    update();
}

void ResultsPicture::fillBackground(int x, int y, int w, int h)
{
    const int left = toPixelsX(x);
    const int top = toPixelsY(y);
    ensureImage();
    QPainter p(&image_);
    p.fillRect(QRect(left, top, toPixelsX(x + w) - left, toPixelsY(y + h) - top), Qt::white);
    update();
}

int ResultsPicture::width() const { return static_cast<int>(std::lround(QWidget::width() * twipsPerPixelX())); }

void ResultsPicture::takeFocus() { setFocus(Qt::OtherFocusReason); }

void ResultsPicture::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, image_);
}

void ResultsPicture::mousePressEvent(QMouseEvent* event)
{
    emit mousePressedAt(toTwipsY(event->position().y()));
}

bool ResultsPicture::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && toolTip_) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString text = toolTip_(toTwipsY(help->pos().y()));
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, this);
        return true;
    }
    return QWidget::event(event);
}
