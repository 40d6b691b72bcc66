#pragma once

#include "export/write_failure.h"

#include <QString>

// The export dialog's words: its captions and the names a screen reader
// reads, and its questions and messages as whole sentences, each through
// the translation table.
namespace ExportDialogText {

QString WindowTitle();
QString WriteCaption();
QString CancelCaption();
QString FileNameCaption();

QString DialogName();
QString DialogDescription();
QString NameBoxName();
QString NameBoxTip();
QString DriveListName();
QString FolderListName();
QString FolderListDescription();
QString FileListName();

QString FolderCannotBeOpened(const QString& folder);
QString FolderGone(const QString& gone, const QString& shownNow);

QString ExistsQuestion();
QString ReplaceDetail(const QString& name, const QString& folder);
QString WriteError();
QString NotWritten(const QString& name, const QString& folder, const WriteFailure& why);

} // namespace ExportDialogText
