#pragma once

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
