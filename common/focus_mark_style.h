#pragma once

#include <QProxyStyle>

// The toolkit's own look, with a plain mark on the button that has the
// keyboard: a frame in the highlight colour, easy to see from a distance.
class FocusMarkStyle : public QProxyStyle {
public:
    FocusMarkStyle();
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
};

// One style for every button that is to show the mark; Qt keeps it alive.
FocusMarkStyle* SharedFocusMarkStyle();
