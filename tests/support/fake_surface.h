#pragma once

#include "presentation/drawing_surface.h"

#include <string>
#include <vector>

// A drawing surface with a fixed line height that records what is printed.
class FakeSurface : public DrawingSurface {
public:
    struct Printed {
        int y;
        std::vector<TabField> fields;
    };

    explicit FakeSurface(int lineHeight = 195) : lineHeight_(lineHeight) {}

    std::vector<Printed> printed;
    std::vector<int> filledRows;
    int clears = 0;
    int focusTaken = 0;

    void clear() override
    {
        ++clears;
        x_ = y_ = 0;
    }
    void setPrintPosition(int x, int y) override
    {
        x_ = x;
        y_ = y;
    }
    void printLine(const std::vector<TabField>& fields) override
    {
        printed.push_back({y_, fields});
        x_ = 0;
        y_ += lineHeight_;
    }
    int textHeightTwips(const std::string&) const override { return lineHeight_; }
    void fillBackground(int, int y, int, int) override { filledRows.push_back(y / lineHeight_); }
    int widthTwips() const override { return 9375; }
    void takeFocus() override { ++focusTaken; }
    // The row the cursor frame is around, or -1.
    int cursorRow = -1;
    void showCursor(int y, int height) override { cursorRow = height > 0 ? y / lineHeight_ : -1; }

private:
    int lineHeight_;
    int x_ = 0;
    int y_ = 0;
};
