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

HeldAsByAnExport::HeldAsByAnExport(const QString& path)
{
    // Shared with nobody, as the file writer opens its temporary file.
    const QString native = QDir::toNativeSeparators(path);
    const HANDLE file = CreateFileW(reinterpret_cast<const wchar_t*>(native.utf16()), GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE)
        handle_ = reinterpret_cast<std::intptr_t>(file);
}

HeldAsByAnExport::~HeldAsByAnExport()
{
    if (held())
        CloseHandle(reinterpret_cast<HANDLE>(handle_));
}
