#pragma once

#include <QString>

// The way a write fails: false, with the reason in `why` when the
// caller asked for it.
inline bool Fail(QString* why, const QString& reason)
{
    if (why)
        *why = reason;
    return false;
}
