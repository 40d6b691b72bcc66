#include "export/file_system_names.h"

#include <QFile>

#include <sys/stat.h>

QByteArray FileSystemName(const QString& name) { return QFile::encodeName(name); }

// The name as it is on disk, whatever its bytes.
std::string NameInExportText(const QString&, const QByteArray& fileSystemName)
{
    return fileSystemName.toStdString();
}

bool PathExists(const QByteArray& path)
{
    struct stat info {};
    return ::lstat(path.constData(), &info) == 0;
}
