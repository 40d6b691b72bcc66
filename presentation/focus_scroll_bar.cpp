#include "presentation/focus_scroll_bar.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

FocusScrollBar::FocusScrollBar(QWidget* parent) : QScrollBar(Qt::Vertical, parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setRange(0, 0);
    // A page of the list.
    setPageStep(VisibleRecordRows);
    setAccessibleName(tr("Scroll the list"));
    setAccessibleDescription(tr("Moves the page of records the list shows"));
}

void FocusScrollBar::focusInEvent(QFocusEvent* event)
{
    QScrollBar::focusInEvent(event);
    emit focusReceived();
}

void FocusScrollBar::paintEvent(QPaintEvent* event)
{
    QScrollBar::paintEvent(event);
    if (maximum() <= minimum())
        return;
    // Some styles draw the handle as light as the track, or lighter: it is
    // drawn over in a grey that reads as a handle on any track.
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect handle = style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, this);
    if (handle.height() < 4)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(isSliderDown() ? QColor(96, 96, 96) : QColor(128, 128, 128));
    painter.drawRoundedRect(QRectF(handle).adjusted(2.5, 1.5, -2.5, -1.5), 3, 3);
}
