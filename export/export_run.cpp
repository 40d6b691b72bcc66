#include "export/export_run.h"

#include "export/export_csv.h"
#include "export/export_text.h"
#include "export/export_workbook.h"
#include "export/export_texts.h"
#include "common/output_stamp.h"
#include "presentation/listed_records.h"
#include "export/safe_file_writer.h"

#include "export/file_system_names.h"

#include <QDir>

ExportFormat ExportFormatOf(const QString& name)
{
    if (name.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive))
        return ExportFormat::Spreadsheet;
    if (name.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive))
        return ExportFormat::Workbook;
    return ExportFormat::FixedColumns;
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
    QByteArray bytes;
    WriteFailure why;
    switch (ExportFormatOf(request.name)) {
    case ExportFormat::Spreadsheet:
        bytes = QByteArray::fromStdString(BuildExportCsv(list));
        break;
    case ExportFormat::Workbook:
        if (auto book = BuildExportWorkbook(list, &why.systemText)) {
            bytes = std::move(*book);
            break;
        }
        prompt.tell(ExportDialogText::WriteError(), ExportDialogText::NotWritten(request.name, where, why));
        return ExportOutcome::Failed;
    case ExportFormat::FixedColumns:
        bytes = QByteArray::fromStdString(BuildExportText(list, NameInExportText(request.name, nameBytes),
                                                          StampDate(request.stamp).toStdString(),
                                                          StampTime(request.stamp).toStdString()));
        break;
    }
    if (!WriteWholeFile(path, bytes, &why)) {
        prompt.tell(ExportDialogText::WriteError(), ExportDialogText::NotWritten(request.name, where, why));
        return ExportOutcome::Failed;
    }
    return ExportOutcome::Written;
}
