#include "presentation/results_picture.h"

#include <QAccessible>
#include <QScrollBar>

#include "presentation/picture_accessible.h"
#include "common/twips.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
#include <cmath>

namespace {

// Columns needed up to the end of a clock time in the last column (104 + 11),
// and rows from the headings down to the last record line.
constexpr int ColumnsNeeded = 114;
constexpr int RowsNeeded = 35;

} // namespace

ResultsPicture::ResultsPicture(QWidget* parent) : QWidget(parent)
{
    InstallPictureAccessibility();
    setAccessibleName(tr("Records"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    font_ = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    chooseFont();
}

double ResultsPicture::twipsPerPixelX() const { return TwipsPerInch / logicalDpiX(); }
double ResultsPicture::twipsPerPixelY() const { return TwipsPerInch / logicalDpiY(); }
int ResultsPicture::toPixelsX(double twips) const { return TwipsToPixelsX(*this, twips); }
int ResultsPicture::toPixelsY(double twips) const { return TwipsToPixelsY(*this, twips); }
double ResultsPicture::toTwipsY(double pixels) const { return pixels * twipsPerPixelY(); }

void ResultsPicture::chooseFont()
{
    QFont candidate = font_;
    candidate.setStyleHint(QFont::TypeWriter);
    candidate.setFixedPitch(true);
    for (int pixels = 16; pixels >= 6; --pixels) {
        candidate.setPixelSize(pixels);
        const QFontMetricsF m(candidate);
        if (m.averageCharWidth() * ColumnsNeeded <= width() && m.height() * RowsNeeded <= height())
            break;
    }
    font_ = candidate;
    const QFontMetricsF m(font_);
    columnPixels_ = m.averageCharWidth();
    ascentPixels_ = m.ascent();
    rawFont_ = QRawFont::fromFont(font_);
    lineImages_.clear();
    blank_ = true;
    lineHeightTwips_ = std::max(1, static_cast<int>(std::lround(m.height() * twipsPerPixelY())));
}

int ResultsPicture::textHeightTwips(const std::string& text) const
{
    const int lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    return lineHeightTwips_ * lines;
}

int ResultsPicture::widthTwips() const { return static_cast<int>(std::lround(width() * twipsPerPixelX())); }

void ResultsPicture::takeFocus()
{
    // A button that loses the focus while it is held down drops its click,
    // and the list is redrawn many times a second during a download: only
    // the scroll bar, or no control at all, gives the focus up to the list.
    const QWidget* holder = window()->focusWidget();
    if (holder && holder != this && !qobject_cast<const QScrollBar*>(holder))
        return;
    setFocus(Qt::OtherFocusReason);
}

void ResultsPicture::showCursor(int yTwips, int heightTwips)
{
    const QRect cursor = heightTwips > 0
        ? QRect(0, toPixelsY(yTwips), width(), toPixelsY(yTwips + heightTwips) - toPixelsY(yTwips))
        : QRect();
    if (cursor == cursor_)
        return;
    update(cursor_);
    cursor_ = cursor;
    update(cursor_);
    // A screen reader follows the cursor as it follows a list's current item.
    if (hasFocus() && accessibleCursorLine() >= 0 && QAccessible::isActive()) {
        QAccessibleEvent moved(this, QAccessible::Focus);
        moved.setChild(accessibleCursorLine());
        QAccessible::updateAccessibility(&moved);
    }
}

QRect ResultsPicture::accessibleLineRect(int index) const
{
    const int top = toPixelsY((accessibleFirstRow_ + index) * lineHeightTwips_);
    const int bottom = toPixelsY((accessibleFirstRow_ + index + 1) * lineHeightTwips_);
    return QRect(mapToGlobal(QPoint(0, top)), QSize(width(), bottom - top));
}

int ResultsPicture::accessibleCursorLine() const
{
    if (cursor_.isEmpty() || lineHeightTwips_ <= 0)
        return -1;
    const int row = static_cast<int>(std::lround(toTwipsY(cursor_.top()) / lineHeightTwips_));
    const int index = row - accessibleFirstRow_;
    return index >= 0 && index < accessibleLines().size() ? index : -1;
}

void ResultsPicture::setPrintPosition(int xTwips, int yTwips)
{
    printX_ = xTwips;
    printY_ = yTwips;
}

void ResultsPicture::clear()
{
    steps_.clear();
    rendered_ = 0;
    blank_ = true; // white again at the next render
    printX_ = 0;
    printY_ = 0;
    update();
}

bool ResultsPicture::bandIsWhite(const QRect& area) const
{
    // The last step that reaches into the band decides; none since the clear
    // leaves it white.
    for (auto it = steps_.rbegin(); it != steps_.rend(); ++it) {
        if (!it->area.intersects(area))
            continue;
        return it->texts.empty() && it->area.contains(area);
    }
    return true;
}

void ResultsPicture::add(Step step)
{
    if (!step.texts.empty())
        step.onWhite = bandIsWhite(step.area);
    if (step.texts.empty() || step.onWhite) {
        // A step that paints its whole band hides whatever it covers for good.
        const QRect area = step.area;
        const std::size_t rendered = rendered_;
        std::size_t kept = 0;
        for (std::size_t i = 0; i < steps_.size(); ++i) {
            if (area.contains(steps_[i].area)) {
                if (i < rendered)
                    --rendered_;
                continue;
            }
            if (kept != i)
                steps_[kept] = std::move(steps_[i]);
            ++kept;
        }
        steps_.resize(kept);
    }
    steps_.push_back(std::move(step));
    update();
}

void ResultsPicture::fillBackground(int xTwips, int yTwips, int widthTwips, int heightTwips)
{
    const int left = toPixelsX(xTwips);
    const int top = toPixelsY(yTwips);
    Step fill;
    fill.area = QRect(left, top, toPixelsX(xTwips + widthTwips) - left, toPixelsY(yTwips + heightTwips) - top);
    add(std::move(fill));
}

void ResultsPicture::printLine(const std::vector<TabField>& fields)
{
    const int top = toPixelsY(printY_);
    const int rowHeight = toPixelsY(printY_ + lineHeightTwips_) - top;
    const int left = toPixelsX(printX_);
    Step line;
    line.area = QRect(left, top, std::max(0, width() - left), rowHeight);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const int x = left + static_cast<int>(std::lround((fields[i].column - 1) * columnPixels_));
        const int right = i + 1 < fields.size()
            ? left + static_cast<int>(std::lround((fields[i + 1].column - 1) * columnPixels_))
            : width();
        if (right <= x)
            continue;
        // A text longer than its field stops at the next column: whole
        // characters in this fixed-pitch font, then the clip for any rest.
        std::string text = fields[i].text;
        if (i + 1 < fields.size())
            text.resize(std::min<std::size_t>(text.size(), std::max(0, fields[i + 1].column - fields[i].column)));
        line.texts.push_back({QPointF(x, top), QRect(x, top, right - x, rowHeight), std::move(text)});
    }
    printX_ = 0;
    printY_ += lineHeightTwips_;
    add(std::move(line));
}

// The texts are plain ASCII in a fixed-pitch font: their glyphs are looked up
// and set side by side directly, which spares the general text layout.
void ResultsPicture::drawTexts(QPainter& p, const Step& line, QPoint origin) const
{
    p.setPen(Qt::black);
    QGlyphRun run;
    run.setRawFont(rawFont_);
    for (const PlacedText& t : line.texts) {
        const QList<quint32> glyphs = rawFont_.glyphIndexesForString(QString::fromStdString(t.text));
        const QList<QPointF> advances = rawFont_.advancesForGlyphIndexes(glyphs);
        QList<QPointF> positions;
        positions.reserve(glyphs.size());
        QPointF at(0, ascentPixels_);
        for (const QPointF& advance : advances) {
            positions.push_back(at);
            at += advance;
        }
        run.setGlyphIndexes(glyphs);
        run.setPositions(positions);
        p.setClipRect(t.clip.translated(-origin));
        p.drawGlyphRun(t.topLeft - origin, run);
    }
    p.setClipping(false);
}

// A line on its white band. The same lines come back page after page as the
// list scrolls, so each is drawn once and then only copied.
const QImage& ResultsPicture::lineImage(const Step& line, qreal ratio) const
{
    if (line.key.isEmpty()) {
        for (const PlacedText& t : line.texts)
            line.key += QString::number(t.topLeft.x() - line.area.x()) + ',' + QString::number(t.clip.width()) + ','
                + QString::fromStdString(t.text) + QChar(0x1f);
        line.key += QString::number(line.area.width()) + ',' + QString::number(line.area.height());
    }
    if (const QImage* cached = lineImages_.object(line.key))
        return *cached;
    auto* image = new QImage(line.area.size() * ratio, QImage::Format_RGB32);
    image->setDevicePixelRatio(ratio);
    image->fill(Qt::white);
    QPainter p(image);
    drawTexts(p, line, line.area.topLeft());
    p.end();
    lineImages_.insert(line.key, image, static_cast<qsizetype>(image->sizeInBytes()));
    return *lineImages_.object(line.key);
}

void ResultsPicture::render() const
{
    const qreal ratio = devicePixelRatioF();
    if (lineImagesRatio_ != ratio) {
        lineImages_.clear();
        lineImagesRatio_ = ratio;
    }
    if (image_.isNull() || image_.deviceIndependentSize() != QSizeF(size()) || image_.devicePixelRatio() != ratio) {
        image_ = QImage(size() * ratio, QImage::Format_RGB32);
        image_.setDevicePixelRatio(ratio);
        blank_ = true;
    }
    if (blank_) {
        image_.fill(Qt::white);
        blank_ = false;
        rendered_ = 0;
    }
    if (rendered_ == steps_.size())
        return;
    QPainter p(&image_);
    for (std::size_t i = rendered_; i < steps_.size(); ++i) {
        const Step& step = steps_[i];
        if (step.texts.empty())
            p.fillRect(step.area, Qt::white);
        else if (step.onWhite)
            p.drawImage(step.area.topLeft(), lineImage(step, ratio));
        else
            drawTexts(p, step, QPoint()); // over whatever is there
    }
    rendered_ = steps_.size();
}

const QImage& ResultsPicture::image() const
{
    render();
    return image_;
}

void ResultsPicture::resizeEvent(QResizeEvent*) { update(); }

void ResultsPicture::paintEvent(QPaintEvent* event)
{
    render();
    QPainter p(this);
    const QRect r = event->rect();
    p.drawImage(r, image_, QRectF(r.topLeft() * image_.devicePixelRatio(), r.size() * image_.devicePixelRatio()));
    // The keyboard's line, over the picture, while the list has the keyboard.
    if (!cursor_.isEmpty() && hasFocus()) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 1));
        p.drawRect(cursor_.adjusted(0, 0, -1, -1));
    }
    emit painted();
}

void ResultsPicture::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update(cursor_);
}

void ResultsPicture::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update(cursor_);
}

// The middle of the pixel under the pointer: a line drawn from pixel row p on
// then holds every pixel the pointer can be on, at any scale.
double ResultsPicture::pointerTwipsY(double pixels) const { return toTwipsY(std::floor(pixels) + 0.5); }

void ResultsPicture::mousePressEvent(QMouseEvent* event) { emit pressedAt(pointerTwipsY(event->position().y())); }

bool ResultsPicture::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip && toolTip_) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString text = toolTip_(pointerTwipsY(help->pos().y()));
        if (text.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), text, this);
        return true;
    }
    return QWidget::event(event);
}
