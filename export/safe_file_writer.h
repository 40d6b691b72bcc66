#pragma once

#include <QByteArray>
#include "export/write_failure.h"

// Writes a whole file, or says why it could not; `path` is in the file
// system's own encoding, so a name that is not valid text is written as it is.
//
// A regular file is written to a temporary file beside it and moved over the
// target only when complete, so a failure leaves an earlier file as it was;
// temporary files that an export killed midway left there (no export holds
// them) are removed first. Where the folder takes no new file, or has no
// room for one beside the target, but the target itself may be written, the
// target is rewritten in place so that a failure leaves its old bytes (see
// in_place_rewrite.h). A target that is not a regular
// file (a device, a pipe) is opened without waiting and written directly:
// one that cannot take the bytes now (a pipe nobody reads) is a failure,
// never a wait.
bool WriteWholeFile(const QByteArray& path, const QByteArray& bytes, WriteFailure* why = nullptr);
