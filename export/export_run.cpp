#include "export/export_run.h"

#include "export/export_csv.h"
#include "export/export_text.h"
#include "export/export_texts.h"
#include "common/output_stamp.h"
#include "presentation/listed_records.h"
#include "export/safe_file_writer.h"

#include "export/file_system_names.h"

#include <QDir>

ExportFormat ExportFormatOf(const QString& name)
{
    return name.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive) ? ExportFormat::Spreadsheet
                                                                        : ExportFormat::FixedColumns;
}

QByteArray JoinExportPath(const QByteArray& folder, const QByteArray& name)
{
    const char separator = QDir::separator().toLatin1();
    return folder.endsWith(separator) ? folder + name : folder + separator + name;
}

ExportOutcome RunExport(const ExportRequest& request, FormatState& format, const RecordTableState& store, OperatorPrompt& prompt)
{
    const QByteArray nameBytes = request.nameBytes.isEmpty() ? FileSystemName(request.name) : request.nameBytes;
    const QString where = QDir::toNativeSeparators(request.folder);
    const QByteArray path = JoinExportPath(FileSystemName(where), nameBytes);
    const QString replaceDetail = ExportDialogText::ReplaceDetail(request.name, where);
    const QString question = ExportDialogText::ExistsQuestion();

    enum class Answer { None, Ok, Cancel } answer = Answer::None;
    for (const QString& listed : request.listedNames) {
        if (listed == request.name) {
            answer = prompt.confirm(question, replaceDetail) ? Answer::Ok : Answer::Cancel;
            if (answer == Answer::Ok)
                break;
        }
    }
    // Also a file the list does not show: hidden, or written since the list was read.
    if (answer == Answer::None && !request.name.isEmpty() && PathExists(path))
        answer = prompt.confirm(question, replaceDetail) ? Answer::Ok : Answer::Cancel;
    if (answer == Answer::Cancel)
        return ExportOutcome::Cancelled;

    const ListedRecords list = ListForOutput(format, store);
    const std::string text = ExportFormatOf(request.name) == ExportFormat::Spreadsheet
        ? BuildExportCsv(list)
        : BuildExportText(list, NameInExportText(request.name, nameBytes), StampDate(request.stamp).toStdString(),
                          StampTime(request.stamp).toStdString());
    WriteFailure why;
    if (!WriteWholeFile(path, QByteArray::fromStdString(text), &why)) {
        prompt.tell(ExportDialogText::WriteError(), ExportDialogText::NotWritten(request.name, where, why));
        return ExportOutcome::Failed;
    }
    return ExportOutcome::Written;
}
