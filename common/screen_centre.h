#pragma once

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

// Moves a top-level window, frame and all, to the middle of the primary
// screen's free area.
inline void MoveToScreenCentre(QWidget& window)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = window.frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window.move(frame.topLeft());
    }
}
