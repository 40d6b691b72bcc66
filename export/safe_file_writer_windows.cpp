#include "export/safe_file_writer.h"

#include "export/in_place_rewrite.h"

#include <QRandomGenerator>

#include <algorithm>

#include <windows.h>

namespace {

// The system's own words for an error, without the closing full stop.
bool FailWith(WriteFailure* why, DWORD error = GetLastError())
{
    wchar_t* text = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                       | FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    if (n == 0)
        return Fail(why, WriteFailure::Cause::UnnamedSystemError, QString::number(error));
    QString reason = QString::fromWCharArray(text, static_cast<qsizetype>(n)).trimmed();
    LocalFree(text);
    if (reason.endsWith('.'))
        reason.chop(1);
    return FailSystem(why, reason);
}

const wchar_t* Wide(const QString& s) { return reinterpret_cast<const wchar_t*>(s.utf16()); }

bool WriteAll(HANDLE file, const QByteArray& bytes, WriteFailure* why)
{
    const char* at = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<qsizetype>(left, 1 << 20));
        if (!WriteFile(file, at, chunk, &written, nullptr))
            return FailWith(why);
        if (written == 0)
            return Fail(why, WriteFailure::Cause::NothingMoreWritten);
        at += written;
        left -= written;
    }
    return true;
}

// Writes to a file opened by `open`, and closes it; every failure is the reason.
bool WriteAndClose(HANDLE file, const QByteArray& bytes, WriteFailure* why, bool flush)
{
    bool ok = WriteAll(file, bytes, why);
    // A device (NUL, a port) cannot be flushed, nor needs to be.
    if (ok && flush && !FlushFileBuffers(file))
        ok = FailWith(why);
    if (!CloseHandle(file) && ok)
        ok = FailWith(why);
    return ok;
}

// Temporary files of ours that no export is writing: an export opens its
// file for itself alone, so one that can be deleted was left by an export
// that was killed (a second copy of the program keeps its file).
void RemoveLeftovers(const QString& folder)
{
    const QString pattern = folder + QStringLiteral("~trivex-export-*.tmp");
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW(Wide(pattern), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            DeleteFileW(Wide(folder + QString::fromWCharArray(found.cFileName)));
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

bool OutOfRoom(DWORD error) { return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL; }

} // namespace

bool WriteWholeFile(const QByteArray& given, const QByteArray& bytes, WriteFailure* why)
{
    const QString path = QString::fromUtf8(given);
    if (path.isEmpty() || path.endsWith('\\') || path.endsWith('/'))
        return Fail(why, WriteFailure::Cause::NoName);

    const DWORD attributes = GetFileAttributesW(Wide(path));
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return Fail(why, WriteFailure::Cause::IsFolder);
    // Windows lets no program write a read-only file; a rename over it may slip through.
    if (exists && (attributes & FILE_ATTRIBUTE_READONLY))
        return Fail(why, WriteFailure::Cause::ReadOnly);

    // A device name (NUL, COM1) is written to as it is.
    if (const HANDLE target = CreateFileW(Wide(path), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        target != INVALID_HANDLE_VALUE) {
        if (GetFileType(target) != FILE_TYPE_DISK)
            return WriteAndClose(target, bytes, why, false);
        CloseHandle(target);
    }

    const qsizetype slash = std::max(path.lastIndexOf('\\'), path.lastIndexOf('/'));
    const QString folder = path.left(slash + 1);
    RemoveLeftovers(folder);
    QString temporary;
    HANDLE file = INVALID_HANDLE_VALUE;
    DWORD error = ERROR_FILE_EXISTS;
    for (int attempt = 0; attempt < 16 && error == ERROR_FILE_EXISTS; ++attempt) {
        temporary = folder
            + QStringLiteral("~trivex-export-%1.tmp").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        file = CreateFileW(Wide(temporary), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_TEMPORARY, nullptr);
        error = file == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
    }
    if (file == INVALID_HANDLE_VALUE) {
        // The folder takes no new file: the old file itself, so that a failure leaves it.
        if (exists)
            return RewriteInPlace(path, bytes, why);
        return FailWith(why, error);
    }
    bool ok = WriteAndClose(file, bytes, why, true);
    const DWORD writeError = GetLastError();
    if (ok) {
        // The new file is a plain one, whatever the temporary file was made as.
        SetFileAttributesW(Wide(temporary), FILE_ATTRIBUTE_NORMAL);
        if (!MoveFileExW(Wide(temporary), Wide(path), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            ok = FailWith(why);
    }
    if (!ok)
        DeleteFileW(Wide(temporary));
    // No room for the new file beside the old one: the list may still fit in
    // the room the old file takes, written over it the safe way.
    if (!ok && exists && OutOfRoom(writeError))
        return RewriteInPlace(path, bytes, why);
    return ok;
}
