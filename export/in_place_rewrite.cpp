#include "export/in_place_rewrite.h"


#include <QFile>

namespace {

bool WriteAt(QFile& file, qint64 at, const QByteArray& bytes)
{
    return file.seek(at) && file.write(bytes) == bytes.size() && file.flush();
}

} // namespace

bool RewriteInPlace(const QString& path, const QByteArray& bytes, WriteFailure* why)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return FailSystem(why, file.errorString());
    const QByteArray old = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return FailSystem(why, file.errorString());

    // The room first: the bytes beyond the old end touch nothing of the old file.
    if (bytes.size() > old.size() && !WriteAt(file, old.size(), bytes.mid(old.size()))) {
        const QString reason = file.errorString();
        file.unsetError();
        if (file.resize(old.size()))
            return FailSystem(why, reason, WriteFailure::OldFile::AsItWas);
        return FailSystem(why, reason, WriteFailure::OldFile::GrownAtItsEnd);
    }
    if (WriteAt(file, 0, bytes.left(old.size())) && file.resize(bytes.size()))
        return true;

    const QString reason = file.errorString();
    file.unsetError();
    if (WriteAt(file, 0, old) && file.resize(old.size()))
        return FailSystem(why, reason, WriteFailure::OldFile::AsItWas);
    return FailSystem(why, reason, WriteFailure::OldFile::Damaged);
}
