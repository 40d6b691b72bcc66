#pragma once

#include <QByteArray>
#include <QString>

#include <string>

// How names and paths pass between the export dialog, the export text and
// the file system on the system the program runs on. The file system's own
// form of a name is a byte string: the name's bytes on Linux, where a name
// need not be valid text; UTF-8 on Windows, whose names are UTF-16 text.

// A name or a path (in the system's own notation) in the file system's form.
QByteArray FileSystemName(const QString& name);
// The file name as the export's header line writes it, in the system's 8-bit
// code page: `fileSystemName` is the name as the file system has it.
std::string NameInExportText(const QString& typed, const QByteArray& fileSystemName);
// Something, of any kind, is at `path` (a link that leads nowhere included).
bool PathExists(const QByteArray& path);
