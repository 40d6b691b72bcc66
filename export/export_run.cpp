#include "export/export_run.h"

#include "export/export_text.h"
#include "common/output_stamp.h"
#include "presentation/listed_records.h"
#include "export/safe_file_writer.h"

#include "export/file_system_names.h"

#include <QDir>

namespace {

const QString ExistsQuestion = QStringLiteral("File Already Exists, Do You Wish To Continue?");
const QString WriteError = QStringLiteral("Error Writing File");

} // namespace

QByteArray JoinExportPath(const QByteArray& folder, const QByteArray& name)
{
    const char separator = QDir::separator().toLatin1();
    return folder.endsWith(separator) ? folder + name : folder + separator + name;
}

ExportOutcome RunExport(const ExportRequest& request, FormatState& format, RecordStore& store, OperatorPrompt& prompt)
{
    const QByteArray nameBytes = request.nameBytes.isEmpty() ? FileSystemName(request.name) : request.nameBytes;
    const QString where = QDir::toNativeSeparators(request.folder);
    const QByteArray path = JoinExportPath(FileSystemName(where), nameBytes);
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
    if (answer == Answer::None && !request.name.isEmpty() && PathExists(path))
        answer = prompt.confirm(ExistsQuestion, replaceDetail) ? Answer::Ok : Answer::Cancel;
    if (answer == Answer::Cancel)
        return ExportOutcome::Cancelled;

    const std::string text = BuildExportText(ListForOutput(format, store), NameInExportText(request.name, nameBytes),
                                             StampDate(request.stamp).toStdString(),
                                             StampTime(request.stamp).toStdString());
    QString why;
    if (!WriteWholeFile(path, QByteArray::fromStdString(text), &why)) {
        const QString name = request.name.isEmpty() ? QStringLiteral("(no name)") : request.name;
        prompt.tell(WriteError, QStringLiteral("\u201c%1\u201d in %2 could not be written: %3. The records are kept; "
                                               "choose another name or folder and press Write again.")
                                    .arg(name, where, why.isEmpty() ? QStringLiteral("unknown error") : why));
        return ExportOutcome::Failed;
    }
    return ExportOutcome::Written;
}
