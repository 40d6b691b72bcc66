#pragma once

#include <QByteArray>
#include <QString>

// Writes a whole file or nothing. A regular file is written to a temporary
// file beside it and moved over the target only when complete, so a failure
// leaves an earlier file as it was and no partial file behind. A target that
// is not a regular file (a device) is written directly.
bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString* error = nullptr);
