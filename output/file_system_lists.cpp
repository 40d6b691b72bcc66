#include "file_system_lists.h"

#include <QFile>
#include <QStorageInfo>

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>

std::vector<ListedFile> PlainFilesIn(const QString& folder)
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
        const QByteArray full = path.endsWith('/') ? path + name : path + '/' + name;
        if (::stat(full.constData(), &info) == 0 && S_ISREG(info.st_mode))
            files.push_back({QString::fromUtf8(name), name});
    }
    ::closedir(dir);
    std::sort(files.begin(), files.end(), [](const ListedFile& a, const ListedFile& b) {
        const int c = a.shown.compare(b.shown, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a.bytes < b.bytes;
    });
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
