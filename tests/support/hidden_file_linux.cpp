#include "support/export_rig.h"

QString MakeHiddenFile(const QString& folder, const QByteArray& content)
{
    const QString name = QStringLiteral(".hidden.txt");
    WriteText(QDir(folder).filePath(name), content);
    return name;
}

QString ExportTemporaryName(const QString& tag) { return QStringLiteral(".trivex-export-") + tag; }
