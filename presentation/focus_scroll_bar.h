#pragma once

#include "records/scroll_range.h"

#include <QScrollBar>

// The view's vertical scroll bar. It tells when it receives the focus, since
// the list redraws then too, and its handle is always darker than its track.
class FocusScrollBar : public QScrollBar {
    Q_OBJECT
public:
    explicit FocusScrollBar(QWidget* parent = nullptr);

signals:
    void focusReceived();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

// A scroll bar as the range the framing and the view move. Setting the value
// runs the bar's change handlers at once, as the toolkit does.
class ScrollBarRange : public ScrollRange {
public:
    explicit ScrollBarRange(QScrollBar& bar) : bar_(bar) {}
    void setMaximum(int maximum) override { bar_.setMaximum(maximum); }
    void setValue(int value) override { bar_.setValue(value); }
    int maximum() const override { return bar_.maximum(); }
    int value() const override { return bar_.value(); }

private:
    QScrollBar& bar_;
};
