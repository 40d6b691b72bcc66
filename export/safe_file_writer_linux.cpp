#include "export/safe_file_writer.h"

#include "export/in_place_rewrite.h"

#include <QFile>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool FailErrno(WriteFailure* why, int error = errno)
{
    return FailSystem(why, QString::fromLocal8Bit(std::strerror(error)));
}

// All the bytes, or the reason. A descriptor opened without waiting says
// EAGAIN when the other end takes no more.
bool WriteAll(int fd, const QByteArray& bytes, WriteFailure* why)
{
    const char* at = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, at, static_cast<std::size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return Fail(why, WriteFailure::Cause::CannotTakeNow);
        if (n <= 0)
            return n < 0 ? FailErrno(why) : Fail(why, WriteFailure::Cause::NothingMoreWritten);
        at += n;
        left -= n;
    }
    return true;
}

bool CloseChecked(int fd, WriteFailure* why)
{
    if (::close(fd) != 0)
        return FailErrno(why);
    return true;
}

bool WriteDirect(const QByteArray& path, const QByteArray& bytes, int flags, WriteFailure* why)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY | flags, 0666);
    if (fd < 0)
        return errno == ENXIO ? Fail(why, WriteFailure::Cause::NoReader) : FailErrno(why);
    const bool written = WriteAll(fd, bytes, why);
    const int saved = errno;
    const bool closed = CloseChecked(fd, written ? why : nullptr);
    errno = saved;
    return written && closed;
}

QByteArray FolderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return ".";
    return slash == 0 ? QByteArray("/") : path.left(slash);
}

constexpr char TemporaryPrefix[] = ".trivex-export-";

// Temporary files of ours that no export is writing: an export holds a lock
// on its file while it writes it, so what nobody holds was left by one that
// was killed, and goes at once (a second copy of the program keeps its file).
void RemoveLeftovers(const QByteArray& folder)
{
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (!name.startsWith(TemporaryPrefix))
            continue;
        const QByteArray full = folder + '/' + name;
        const int fd = ::open(full.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
        if (fd < 0)
            continue;
        struct stat info {};
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(full.constData());
        ::close(fd);
    }
    ::closedir(dir);
}

// A temporary file in `folder`, locked as ours; -1 with errno when none
// can be made. One removed as a leftover before the lock was taken is made
// again.
int MakeLockedTemporary(const QByteArray& folder, QByteArray* temporary)
{
    for (int attempt = 0; attempt < 8; ++attempt) {
        *temporary = folder + "/" + TemporaryPrefix + "XXXXXX";
        const int fd = ::mkstemp(temporary->data());
        if (fd < 0)
            return -1;
        ::flock(fd, LOCK_EX); // where the file system has no locks, the file is only less guarded
        struct stat info {};
        if (::fstat(fd, &info) == 0 && info.st_nlink > 0)
            return fd;
        ::close(fd);
    }
    errno = EEXIST;
    return -1;
}

bool OutOfRoom(int error) { return error == ENOSPC || error == EDQUOT; }

} // namespace

bool WriteWholeFile(const QByteArray& given, const QByteArray& bytes, WriteFailure* why)
{
    if (given.isEmpty() || given.endsWith('/'))
        return Fail(why, WriteFailure::Cause::NoName);
    // Through a link to the file it names, which is then replaced in its place.
    QByteArray path = given;
    if (char resolved[PATH_MAX]; ::realpath(given.constData(), resolved))
        path = resolved;

    struct stat target {};
    const bool exists = ::stat(path.constData(), &target) == 0;
    if (exists && S_ISDIR(target.st_mode))
        return Fail(why, WriteFailure::Cause::IsFolder);
    if (exists && !S_ISREG(target.st_mode))
        return WriteDirect(path, bytes, O_NONBLOCK, why);

    RemoveLeftovers(FolderOf(path));
    const bool mayRewrite = exists && ::access(path.constData(), W_OK) == 0;
    QByteArray temporary;
    const int fd = MakeLockedTemporary(FolderOf(path), &temporary);
    if (fd < 0) {
        const int error = errno;
        // The folder takes no new file: the old file itself, so that a failure leaves it.
        if (mayRewrite)
            return RewriteInPlace(QFile::decodeName(path), bytes, why);
        return FailErrno(why, error);
    }
    // The new file gets the old one's permissions, or those of a new file.
    if (exists) {
        ::fchmod(fd, target.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    bool ok = WriteAll(fd, bytes, why) && (::fsync(fd) == 0 || FailErrno(why));
    const int writeError = errno;
    ok = CloseChecked(fd, ok ? why : nullptr) && ok;
    if (ok && ::rename(temporary.constData(), path.constData()) != 0)
        ok = FailErrno(why);
    if (!ok)
        ::unlink(temporary.constData());
    // No room for the new file beside the old one: the list may still fit in
    // the room the old file takes, written over it the safe way.
    if (!ok && mayRewrite && OutOfRoom(writeError))
        return RewriteInPlace(QFile::decodeName(path), bytes, why);
    return ok;
}
