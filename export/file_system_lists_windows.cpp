#include "export/file_system_lists.h"

#include <QDir>
#include <QFileInfo>

#include <windows.h>

// Read with FindFirstFileW, not QDir: QDir knows hidden files but not system ones.
std::vector<ListedFile> PlainFilesAsListed(const QString& folder)
{
    std::vector<ListedFile> files;
    const QString pattern = QDir::toNativeSeparators(QDir(folder).filePath(QStringLiteral("*")));
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileExW(reinterpret_cast<const wchar_t*>(pattern.utf16()), FindExInfoBasic,
                                           &found, FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE)
        return files;
    constexpr DWORD leftOut = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    do {
        if (found.dwFileAttributes & leftOut)
            continue;
        const QString name = QString::fromWCharArray(found.cFileName);
        files.push_back({name, name.toUtf8()});
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return files;
}

QStringList MountedDrives()
{
    // Every letter, ready or not: choosing one with no medium sends the list
    // back to the drive of the folder shown.
    QStringList drives;
    for (const QFileInfo& drive : QDir::drives())
        drives << drive.absoluteFilePath();
    return drives;
}
