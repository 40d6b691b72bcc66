#include "support/export_rig.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

QString MakeHiddenFile(const QString& folder, const QByteArray& content)
{
    const QString name = QStringLiteral(".hidden.txt");
    WriteText(QDir(folder).filePath(name), content);
    return name;
}

QString ExportTemporaryName(const QString& tag) { return QStringLiteral(".trivex-export-") + tag; }

HeldAsByAnExport::HeldAsByAnExport(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC);
    if (fd >= 0 && ::flock(fd, LOCK_EX) == 0)
        handle_ = fd;
    else if (fd >= 0)
        ::close(fd);
}

HeldAsByAnExport::~HeldAsByAnExport()
{
    if (held())
        ::close(static_cast<int>(handle_));
}
