#pragma once

#include <string>
#include <vector>

// A text field placed at a tab column; column 1 is the left edge and a column
// is the font's average character width.
struct TabField {
    int column;
    std::string text;
};

// The results view's picture as its drawing code sees it, in twips
// (1/1440 inch), origin top left, y downwards.
class DrawingSurface {
public:
    virtual ~DrawingSurface() = default;
    // Clears to the background; the print position goes to (0, 0).
    virtual void clear() = 0;
    virtual void setPrintPosition(int xTwips, int yTwips) = 0;
    // Prints the fields on the line at the print position, then ends the line.
    // A field never runs into the next field's column or past the right edge.
    virtual void printLine(const std::vector<TabField>& fields) = 0;
    virtual int textHeightTwips(const std::string& text) const = 0;
    // Paints the rectangle in the background colour.
    virtual void fillBackground(int xTwips, int yTwips, int widthTwips, int heightTwips) = 0;
    virtual int widthTwips() const = 0;
    // Takes the keyboard focus from the scroll bar, or where nothing has it;
    // a control the operator is using keeps it.
    virtual void takeFocus() = 0;
    // The keyboard's line: a frame around this band, or none for a height of 0.
    virtual void showCursor(int yTwips, int heightTwips) = 0;
};
