#pragma once

// The pointer of the X display, moved and pressed through the server's test
// extension on a connection of its own, so any thread may use it and the
// program gets the events as it gets a user's.
class XTestPointer {
public:
    XTestPointer();
    ~XTestPointer();
    XTestPointer(const XTestPointer&) = delete;
    XTestPointer& operator=(const XTestPointer&) = delete;

    bool ok() const { return display_ != nullptr; }
    void moveTo(int screenX, int screenY);
    void press();
    void release();

private:
    struct _XDisplay* display_ = nullptr;
};
