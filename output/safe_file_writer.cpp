#include "safe_file_writer.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

bool Fail(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return false;
}

} // namespace

bool WriteWholeFile(const QString& path, const QByteArray& bytes, QString* error)
{
    QFileInfo target(path);
    if (target.isSymLink())
        target = QFileInfo(target.canonicalFilePath().isEmpty() ? target.symLinkTarget() : target.canonicalFilePath());
    if (path.isEmpty() || path.endsWith('/') || target.isDir())
        return Fail(error, QStringLiteral("not a file name"));

    if (target.exists() && !target.isFile()) {
        QFile device(target.filePath());
        if (!device.open(QIODevice::WriteOnly))
            return Fail(error, device.errorString());
        if (device.write(bytes) != bytes.size() || !device.flush())
            return Fail(error, device.errorString());
        device.close();
        return device.error() == QFileDevice::NoError || Fail(error, device.errorString());
    }

    QSaveFile file(target.filePath());
    if (!file.open(QIODevice::WriteOnly))
        return Fail(error, file.errorString());
    if (file.write(bytes) != bytes.size()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return Fail(error, why);
    }
    if (!file.commit())
        return Fail(error, file.errorString());
    return true;
}
