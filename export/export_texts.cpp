#include "export/export_texts.h"

#include "export/export_dialog.h"

namespace {

QString Cause(const WriteFailure& why)
{
    switch (why.cause) {
    case WriteFailure::Cause::System:
        return why.systemText.isEmpty() ? ExportDialog::tr("unknown error") : why.systemText;
    case WriteFailure::Cause::NoName:
        return ExportDialog::tr("no file name was given");
    case WriteFailure::Cause::IsFolder:
        return ExportDialog::tr("that is a folder");
    case WriteFailure::Cause::ReadOnly:
        return ExportDialog::tr("the file is read-only");
    case WriteFailure::Cause::CannotTakeNow:
        return ExportDialog::tr("it cannot take the file now");
    case WriteFailure::Cause::NoReader:
        return ExportDialog::tr("nothing is reading from it");
    case WriteFailure::Cause::NothingMoreWritten:
        return ExportDialog::tr("nothing more could be written");
    case WriteFailure::Cause::UnnamedSystemError:
        return ExportDialog::tr("system error %1").arg(why.systemText);
    }
    return ExportDialog::tr("unknown error");
}

QString OldFile(WriteFailure::OldFile old)
{
    switch (old) {
    case WriteFailure::OldFile::NotRewritten:
        return {};
    case WriteFailure::OldFile::AsItWas:
        return ExportDialog::tr("the old file is as it was");
    case WriteFailure::OldFile::GrownAtItsEnd:
        return ExportDialog::tr("the old file is as it was, with bytes added at its end");
    case WriteFailure::OldFile::Damaged:
        return ExportDialog::tr("the old file was damaged");
    }
    return {};
}

// Why the file was not written, and what became of the one it was to replace.
QString Reason(const WriteFailure& why)
{
    const QString old = OldFile(why.oldFile);
    if (old.isEmpty())
        return Cause(why);
    return ExportDialog::tr("%1; %2", "why a file was not written; what became of the old one").arg(Cause(why), old);
}

} // namespace

namespace ExportDialogText {

QString WindowTitle() { return ExportDialog::tr("Write File"); }
QString WriteCaption() { return ExportDialog::tr("Write"); }
QString CancelCaption() { return ExportDialog::tr("Cancel"); }
QString FileNameCaption() { return ExportDialog::tr("FILE NAME"); }

QString DialogName() { return ExportDialog::tr("Write the list to a file"); }
QString DialogDescription() { return ExportDialog::tr("Choose a drive, a folder and a file name, then press Write."); }
QString NameBoxName() { return ExportDialog::tr("File name"); }

QString NameBoxTip()
{
    return ExportDialog::tr(
        "A name ending in .csv is written as a spreadsheet file (CSV), one row per record and a column "
        "per field; any other name as the fixed-column list.");
}

QString DriveListName() { return ExportDialog::tr("Drive"); }
QString FolderListName() { return ExportDialog::tr("Folder"); }

QString FolderListDescription()
{
    return ExportDialog::tr(
        "The folders from the top of the drive down to the chosen one, then its subfolders; Enter or a "
        "double click opens one.");
}

QString FileListName() { return ExportDialog::tr("Files in the folder"); }

QString FolderCannotBeOpened(const QString& folder)
{
    return ExportDialog::tr(
        "The folder %1 cannot be opened. It may have been removed, or you may not have permission to read "
        "it. Choose another folder.")
        .arg(folder);
}

QString FolderGone(const QString& gone, const QString& shownNow)
{
    return ExportDialog::tr(
        "The folder %1 is no longer there; the folder list now shows %2. Choose a folder and press Write "
        "again; the records are kept.")
        .arg(gone, shownNow);
}

QString ExistsQuestion() { return ExportDialog::tr("File Already Exists, Do You Wish To Continue?"); }

QString ReplaceDetail(const QString& name, const QString& folder)
{
    return ExportDialog::tr("\u201c%1\u201d is already in %2. OK replaces it with the list; Cancel keeps it.")
        .arg(name, folder);
}

QString WriteError() { return ExportDialog::tr("Error Writing File"); }

QString NotWritten(const QString& name, const QString& folder, const WriteFailure& why)
{
    return ExportDialog::tr(
        "\u201c%1\u201d in %2 could not be written: %3. The records are kept; choose another name or "
        "folder and press Write again.")
        .arg(name.isEmpty() ? ExportDialog::tr("(no name)") : name, folder, Reason(why));
}

} // namespace ExportDialogText
