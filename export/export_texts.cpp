#include "export/export_texts.h"

#include <QCoreApplication>

namespace {

QString Tr(const char* text) { return QCoreApplication::translate("ExportDialog", text); }

QString Cause(const WriteFailure& why)
{
    switch (why.cause) {
    case WriteFailure::Cause::System:
        return why.systemText.isEmpty() ? Tr("unknown error") : why.systemText;
    case WriteFailure::Cause::NoName:
        return Tr("no file name was given");
    case WriteFailure::Cause::IsFolder:
        return Tr("that is a folder");
    case WriteFailure::Cause::ReadOnly:
        return Tr("the file is read-only");
    case WriteFailure::Cause::CannotTakeNow:
        return Tr("it cannot take the file now");
    case WriteFailure::Cause::NoReader:
        return Tr("nothing is reading from it");
    case WriteFailure::Cause::NothingMoreWritten:
        return Tr("nothing more could be written");
    case WriteFailure::Cause::UnnamedSystemError:
        return Tr("system error %1").arg(why.systemText);
    }
    return Tr("unknown error");
}

QString OldFile(WriteFailure::OldFile old)
{
    switch (old) {
    case WriteFailure::OldFile::NotRewritten:
        return {};
    case WriteFailure::OldFile::AsItWas:
        return Tr("; the old file is as it was");
    case WriteFailure::OldFile::GrownAtItsEnd:
        return Tr("; the old file is as it was, with bytes added at its end");
    case WriteFailure::OldFile::Damaged:
        return Tr("; the old file was damaged");
    }
    return {};
}

} // namespace

namespace ExportDialogText {

QString WindowTitle() { return Tr("Write File"); }
QString WriteCaption() { return Tr("Write"); }
QString CancelCaption() { return Tr("Cancel"); }
QString FileNameCaption() { return Tr("FILE NAME"); }

QString DialogName() { return Tr("Write the list to a file"); }
QString DialogDescription() { return Tr("Choose a drive, a folder and a file name, then press Write."); }
QString NameBoxName() { return Tr("File name"); }

QString NameBoxTip()
{
    return Tr("A name ending in .csv is written as a spreadsheet file (CSV), one row per record and a column "
              "per field; any other name as the fixed-column list.");
}

QString DriveListName() { return Tr("Drive"); }
QString FolderListName() { return Tr("Folder"); }

QString FolderListDescription()
{
    return Tr("The folders from the top of the drive down to the chosen one, then its subfolders; Enter or a "
              "double click opens one.");
}

QString FileListName() { return Tr("Files in the folder"); }

QString FolderCannotBeOpened(const QString& folder)
{
    return Tr("The folder %1 cannot be opened. It may have been removed, or you may not have permission to read "
              "it. Choose another folder.")
        .arg(folder);
}

QString FolderGone(const QString& gone, const QString& shownNow)
{
    return Tr("The folder %1 is no longer there; the folder list now shows %2. Choose a folder and press Write "
              "again; the records are kept.")
        .arg(gone, shownNow);
}

QString ExistsQuestion() { return Tr("File Already Exists, Do You Wish To Continue?"); }

QString ReplaceDetail(const QString& name, const QString& folder)
{
    return Tr("\u201c%1\u201d is already in %2. OK replaces it with the list; Cancel keeps it.").arg(name, folder);
}

QString WriteError() { return Tr("Error Writing File"); }

QString NotWritten(const QString& name, const QString& folder, const WriteFailure& why)
{
    return Tr("\u201c%1\u201d in %2 could not be written: %3. The records are kept; choose another name or "
              "folder and press Write again.")
        .arg(name.isEmpty() ? Tr("(no name)") : name, folder, Cause(why) + OldFile(why.oldFile));
}

} // namespace ExportDialogText
