#pragma once

#include "records/scroll_range.h"

#include <functional>
#include <vector>

// A scroll bar that behaves like the toolkit's: the value is clamped to the
// range, and a change of value runs the change handler at once.
class RecordingScroll : public ScrollRange {
public:
    std::vector<int> maximumCalls;
    std::vector<int> valueCalls;
    std::function<void(int)> onValueChanged;

    void setMaximum(int maximum) override
    {
        maximumCalls.push_back(maximum);
        max_ = maximum;
        if (value_ > max_)
            change(max_);
    }
    void setValue(int value) override
    {
        valueCalls.push_back(value);
        change(value < 0 ? 0 : (value > max_ ? max_ : value));
    }
    int maximum() const override { return max_; }
    int value() const override { return value_; }

private:
    void change(int v)
    {
        if (v == value_)
            return;
        value_ = v;
        if (onValueChanged)
            onValueChanged(v);
    }
    int max_ = 0;
    int value_ = 0;
};
