#include "export/file_system_names.h"

#include <windows.h>

QByteArray FileSystemName(const QString& name) { return name.toUtf8(); }

// Characters the code page lacks come out as the system writes them ("?").
std::string NameInExportText(const QString& typed, const QByteArray&) { return typed.toLocal8Bit().toStdString(); }

bool PathExists(const QByteArray& path)
{
    return GetFileAttributesW(reinterpret_cast<const wchar_t*>(QString::fromUtf8(path).utf16()))
        != INVALID_FILE_ATTRIBUTES;
}
