#pragma once

#include <QString>

// The output layer's way to fail: false, with the reason in `why` when the
// caller asked for it.
inline bool Fail(QString* why, const QString& reason)
{
    if (why)
        *why = reason;
    return false;
}
