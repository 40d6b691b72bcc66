#include "focus_scroll_bar.h"

FocusScrollBar::FocusScrollBar(QWidget* parent) : QScrollBar(Qt::Vertical, parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setRange(0, 0);
}

void FocusScrollBar::focusInEvent(QFocusEvent* event)
{
    QScrollBar::focusInEvent(event);
    emit focusReceived();
}
