#include "export_file.h"

#include "export_text.h"
#include "listed_records.h"
#include "safe_file_writer.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>

namespace {

const QString ExistsQuestion = QStringLiteral("File Already Exists, Do You Wish To Continue?");
const QString WriteError = QStringLiteral("Error Writing File");

} // namespace

bool FileSystemTarget::exists(const QByteArray& path)
{
    struct stat info {};
    return ::lstat(path.constData(), &info) == 0;
}

bool FileSystemTarget::write(const QByteArray& path, const QByteArray& bytes, QString* why)
{
    return WriteWholeFile(path, bytes, why);
}

QByteArray JoinExportPath(const QByteArray& folder, const QByteArray& name)
{
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

ExportOutcome RunExport(const ExportRequest& request, FormatState& format, RecordStore& store, OperatorPrompt& prompt,
                        ExportTarget& target)
{
    const QByteArray nameBytes = request.nameBytes.isEmpty() ? QFile::encodeName(request.name) : request.nameBytes;
    const QByteArray path = JoinExportPath(QFile::encodeName(request.folder), nameBytes);
    const QString where = QDir::toNativeSeparators(request.folder);
    const QString replaceDetail =
        QStringLiteral("\u201c%1\u201d is already in %2. OK replaces it with the list; Cancel keeps it.")
            .arg(request.name, where);

    enum class Answer { None, Ok, Cancel } answer = Answer::None;
    for (const QString& listed : request.listedNames) {
        if (listed == request.name) {
            answer = prompt.confirm(ExistsQuestion, replaceDetail) ? Answer::Ok : Answer::Cancel;
            if (answer == Answer::Ok)
                break;
        }
    }
    // Also a file the list does not show: hidden, or written since the list was read.
    if (answer == Answer::None && !request.name.isEmpty() && target.exists(path))
        answer = prompt.confirm(ExistsQuestion, replaceDetail) ? Answer::Ok : Answer::Cancel;
    if (answer == Answer::Cancel)
        return ExportOutcome::Cancelled;

    const std::string text = BuildExportText(ListForOutput(format, store), nameBytes.toStdString(),
                                             request.stamp.toString(QStringLiteral("MM-dd-yyyy")).toStdString(),
                                             request.stamp.toString(QStringLiteral("HH:mm:ss")).toStdString());
    QString why;
    if (!target.write(path, QByteArray::fromStdString(text), &why)) {
        const QString name = request.name.isEmpty() ? QStringLiteral("(no name)") : request.name;
        prompt.tell(WriteError, QStringLiteral("\u201c%1\u201d in %2 could not be written: %3. The records are kept; "
                                               "choose another name or folder and press Write again.")
                                    .arg(name, where, why.isEmpty() ? QStringLiteral("unknown error") : why));
        return ExportOutcome::Failed;
    }
    return ExportOutcome::Written;
}
