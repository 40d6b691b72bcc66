#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

// What the export dialog's lists show of the file system.

struct ListedFile {
    QString shown;    // the name as text; bytes that are no text show as U+FFFD
    QByteArray bytes; // the name in the file system's form (file_system_names.h)
};

// The plain files of a folder (links to plain files too), hidden and system
// files left out, in the order of their names regardless of case. Names that
// are not valid text are listed all the same.
std::vector<ListedFile> PlainFilesIn(const QString& folder);

// The same, in the order the system lists them.
std::vector<ListedFile> PlainFilesAsListed(const QString& folder);

// The drives to choose from, as folder paths: the mount points of the file
// systems that are ready now; on Windows every drive letter, a drive with no
// medium included.
QStringList MountedDrives();
