#pragma once

#include "scroll_range.h"

#include <QScrollBar>

// The view's vertical scroll bar. It tells when it receives the focus, since
// the list redraws then too, and it is the range the framing moves.
class FocusScrollBar : public QScrollBar, public ScrollRange {
    Q_OBJECT
public:
    explicit FocusScrollBar(QWidget* parent = nullptr);

    void setMaximum(int maximum) override { QScrollBar::setMaximum(maximum); }
    void setValue(int value) override { QScrollBar::setValue(value); }
    int maximum() const override { return QScrollBar::maximum(); }
    int value() const override { return QScrollBar::value(); }

signals:
    void focusReceived();

protected:
    void focusInEvent(QFocusEvent* event) override;
};
