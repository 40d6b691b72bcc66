#pragma once

#include <QString>

// Why a file could not be written, as the writer found it; the dialog's
// words for it are in export_texts.h.
struct WriteFailure {
    enum class Cause {
        System,             // the system's own words are in systemText
        NoName,
        IsFolder,
        ReadOnly,
        CannotTakeNow,      // a device or pipe that takes no more bytes now
        NoReader,           // a pipe that nothing reads from
        NothingMoreWritten, // the system took no more bytes and named no error
        UnnamedSystemError, // the system has no words for it: systemText is its number
    };
    // What became of a file that was rewritten in its place.
    enum class OldFile { NotRewritten, AsItWas, GrownAtItsEnd, Damaged };

    Cause cause = Cause::System;
    QString systemText;
    OldFile oldFile = OldFile::NotRewritten;
};

// The way a write fails: false, with the failure in `why` when the caller
// asked for it.
inline bool Fail(WriteFailure* why, WriteFailure::Cause cause, const QString& systemText = {},
                 WriteFailure::OldFile oldFile = WriteFailure::OldFile::NotRewritten)
{
    if (why)
        *why = {cause, systemText, oldFile};
    return false;
}

inline bool FailSystem(WriteFailure* why, const QString& systemText,
                       WriteFailure::OldFile oldFile = WriteFailure::OldFile::NotRewritten)
{
    return Fail(why, WriteFailure::Cause::System, systemText, oldFile);
}
