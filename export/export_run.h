#pragma once

#include "presentation/format_state.h"
#include "common/operator_prompt.h"
#include "records/record_table.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

// What the dialog holds when "Write" is pressed.
struct ExportRequest {
    QString folder;
    QString name;
    // The name as the file system has it: a listed file's own bytes when its
    // name is not valid text; empty for the encoding of `name`.
    QByteArray nameBytes;
    // The names the file list shows for the folder.
    QStringList listedNames;
    QDateTime stamp;
};

enum class ExportOutcome { Written, Cancelled, Failed };

// What a file is written as: a name ending in ".csv", in any letter case, is
// a spreadsheet file, one ending in ".xlsx" a workbook; any other the
// fixed-column list.
enum class ExportFormat { FixedColumns, Spreadsheet, Workbook };
ExportFormat ExportFormatOf(const QString& name);

// The export: asks before it replaces a file the list shows (or one that is
// there although the list does not show it), builds the text from the table
// as it is then, writes the whole file and says when that failed.
ExportOutcome RunExport(const ExportRequest& request, FormatState& format, const RecordTableState& store, OperatorPrompt& prompt);

// Folder and name joined with one separator of the system's (a slash, or a
// backslash on Windows), the root of a drive included.
QByteArray JoinExportPath(const QByteArray& folder, const QByteArray& name);
