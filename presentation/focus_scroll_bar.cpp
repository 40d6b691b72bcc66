#include "presentation/focus_scroll_bar.h"

FocusScrollBar::FocusScrollBar(QWidget* parent) : QScrollBar(Qt::Vertical, parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setRange(0, 0);
    // A page of the list.
    setPageStep(VisibleRecordRows);
    setAccessibleName(QStringLiteral("Scroll the list"));
    setAccessibleDescription(QStringLiteral("Moves the page of records the list shows"));
}

void FocusScrollBar::focusInEvent(QFocusEvent* event)
{
    QScrollBar::focusInEvent(event);
    emit focusReceived();
}
