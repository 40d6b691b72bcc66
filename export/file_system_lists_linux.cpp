#include "export/file_system_lists.h"

#include "export/export_run.h"

#include <QFile>
#include <QStorageInfo>

#include <dirent.h>
#include <sys/stat.h>

// Read with readdir, not QDir: QDir decodes names, and one that is not valid
// text could then be neither shown as it is nor written to.
std::vector<ListedFile> PlainFilesAsListed(const QString& folder)
{
    std::vector<ListedFile> files;
    const QByteArray path = QFile::encodeName(folder);
    DIR* dir = ::opendir(path.constData());
    if (!dir)
        return files;
    while (const dirent* entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (name.startsWith('.'))
            continue;
        struct stat info {};
        const QByteArray full = JoinExportPath(path, name);
        if (::stat(full.constData(), &info) == 0 && S_ISREG(info.st_mode))
            files.push_back({QString::fromUtf8(name), name});
    }
    ::closedir(dir);
    return files;
}

QStringList MountedDrives()
{
    QStringList mounts;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady())
            mounts << volume.rootPath();
    return mounts;
}
