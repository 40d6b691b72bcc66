#pragma once

// Record lines the results view shows at once. The framing keeps the scroll
// range at the highest record number less this, so the page ends on the
// newest record.
constexpr int VisibleRecordRows = 31;

// The results view's scroll bar as the framing and the view move it.
// Changing the value may redraw the view at once, before the caller goes on.
class ScrollRange {
public:
    virtual ~ScrollRange() = default;
    virtual void setMaximum(int maximum) = 0;
    virtual void setValue(int value) = 0;
    virtual int maximum() const = 0;
    virtual int value() const = 0;
};
