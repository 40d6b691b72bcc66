#include "x_pointer.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

XTestPointer::XTestPointer()
{
    display_ = XOpenDisplay(nullptr);
    int event = 0, error = 0, major = 0, minor = 0;
    if (display_ && !XTestQueryExtension(display_, &event, &error, &major, &minor)) {
        XCloseDisplay(display_);
        display_ = nullptr;
    }
}

XTestPointer::~XTestPointer()
{
    if (display_)
        XCloseDisplay(display_);
}

void XTestPointer::moveTo(int screenX, int screenY)
{
    XTestFakeMotionEvent(display_, -1, screenX, screenY, CurrentTime);
    XFlush(display_);
}

void XTestPointer::press()
{
    XTestFakeButtonEvent(display_, 1, True, CurrentTime);
    XFlush(display_);
}

void XTestPointer::release()
{
    XTestFakeButtonEvent(display_, 1, False, CurrentTime);
    XFlush(display_);
}
