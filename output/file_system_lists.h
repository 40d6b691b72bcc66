#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

// What the export dialog's lists show of the file system.

struct ListedFile {
    QString shown;    // the name as text; bytes that are no text show as U+FFFD
    QByteArray bytes; // the name as the file system has it
};

// The plain files of a folder (links to plain files too), hidden ones left
// out, in the order of their names regardless of case. Names that are not
// valid text are listed all the same.
std::vector<ListedFile> PlainFilesIn(const QString& folder);

// The mount points of the file systems that are ready now.
QStringList MountedDrives();
