#include "support/export_rig.h"

#include <windows.h>

QString MakeHiddenFile(const QString& folder, const QByteArray& content)
{
    const QString name = QStringLiteral("hidden.txt");
    const QString path = QDir::toNativeSeparators(QDir(folder).filePath(name));
    WriteText(path, content);
    SetFileAttributesW(reinterpret_cast<const wchar_t*>(path.utf16()), FILE_ATTRIBUTE_HIDDEN);
    return name;
}

QString ExportTemporaryName(const QString& tag) { return QStringLiteral("~trivex-export-%1.tmp").arg(tag); }
