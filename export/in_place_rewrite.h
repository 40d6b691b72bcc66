#pragma once

#include <QByteArray>
#include "export/write_failure.h"

// Gives an existing file new bytes without a second file beside it, for a
// folder that takes no new file. The file is first grown to its new length
// (a full disk fails there, with the old bytes untouched), then written over
// and cut to length; a failure after the growth puts the old bytes back.
// False when it failed; `why` then also says whether the old file is as it
// was or was damaged.
bool RewriteInPlace(const QString& path, const QByteArray& bytes, WriteFailure* why);
