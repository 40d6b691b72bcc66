#include "app/operator_line_texts.h"

#include "common/output_stamp.h"

#include <QCoreApplication>
#include <QDir>

namespace {

QString Tr(const char* text) { return QCoreApplication::translate("OperatorLine", text); }

// The line has room for a few runs of missing numbers, not for every one.
constexpr std::size_t RunsNamed = 4;

QString MissingNumbers(const std::vector<int>& missing)
{
    int left = 0;
    const QString named = QString::fromStdString(NumberRanges(missing, RunsNamed, &left));
    return left == 0 ? named : Tr("%1 and %2 more").arg(named).arg(left);
}

// Why a print failed, in the system's words where it had some.
QString PrintFailureText(const PrintResult& r)
{
    switch (r.failure) {
    case PrintFailure::DocumentNotStarted:
        return Tr("the printer would not start the document");
    case PrintFailure::ErrorWhilePrinting:
        return Tr("the printer reported an error while printing");
    case PrintFailure::NoJobFile:
        return Tr("no temporary file for the job: %1").arg(r.detail);
    case PrintFailure::Unknown:
        break;
    }
    return r.detail.isEmpty() ? Tr("the printer reported an error") : r.detail;
}

// Kept whole on the line, which wraps at blanks.
QString When(const QDateTime& t) { return StampMoment(t).replace(' ', QChar(0xa0)); }

QString MarkName(int mark)
{
    switch (mark) {
    case 1:
        return Tr("starred");
    case 2:
        return Tr("disqualified");
    default:
        return Tr("unmarked");
    }
}

} // namespace

namespace OperatorLineText {

QString UnitBeingStarted() { return Tr("The unit is being started; its records are asked for next."); }

QString NoUnitForGetMemory()
{
    return Tr("No timing unit was found: the records are kept. Plug the unit in and press Get Memory again.");
}

QString AwaitingUnitSearch()
{
    return Tr("Looking for the timing unit; its records are asked for as soon as it is found.");
}

QString AskingForRecords() { return Tr("Asking the unit for its records\u2026"); }

QString Downloading(int filed, int expected) { return Tr("Downloading: %1 of %2 records").arg(filed).arg(expected); }

QString DownloadComplete(int filed, const QString& timeOfDay)
{
    return Tr("Download complete: %1 records, at %2.").arg(filed).arg(timeOfDay);
}

QString DownloadStoppedShort(const DownloadCount& count, bool unitWentQuiet)
{
    const QString text = unitWentQuiet
        ? Tr("Download stopped short (the unit went quiet or was unplugged): %1 of %2 records came; missing %3.")
        : Tr("Download stopped short: %1 of %2 records came; missing %3.");
    return text.arg(count.filed).arg(count.expected).arg(MissingNumbers(count.missing));
}

QString NoRecordsSent() { return Tr("The unit sent no records."); }

QString NoUnitNothingDownloaded() { return Tr("No timing unit was found: nothing was downloaded."); }

QString QuietBeforeAnyRecord() { return Tr("The unit went quiet or was unplugged before any record came."); }

QString ListCaveat(const RecordStore& store)
{
    const DownloadCount count = CountDownload(store);
    if (!count.missing.empty())
        return Tr(" Records %1 never came; their lines are blank.").arg(MissingNumbers(count.missing));
    if (store.ReportedRecordCount < store.RecordCount)
        return Tr(" The unit's last count was %1; all %2 records are listed.")
            .arg(store.ReportedRecordCount)
            .arg(store.RecordCount);
    return {};
}

QString DownloadStillRunning(const DownloadCount& count)
{
    return Tr(" The download was still running: %1 of %2 records were in the list.").arg(count.filed).arg(count.expected);
}

QString ListWritten(ExportFormat format, const QString& caveat)
{
    if (format == ExportFormat::Spreadsheet)
        return Tr("The list was written to %1 as a spreadsheet file (CSV).") + caveat;
    return Tr("The list was written to %1") + caveat;
}

QString ListNotWritten() { return Tr("The list was not written to %1; the records are kept."); }

QString ExportCancelled() { return Tr("Nothing was written: the export was cancelled."); }

QString SendingToPrinter() { return Tr("Sending the list to the printer\u2026"); }

QString StillPrinting() { return Tr("The list is still being sent to the printer."); }

PrintNews TellPrintOutcome(const PrintResult& r, const QString& caveat)
{
    const QString kept = Tr(" The records are kept; press Print again when the printer is ready.");
    const QString named = r.printer.isEmpty() ? Tr("the printer") : Tr("the printer %1").arg(r.printer);
    const QString detail = r.detail.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(r.detail);
    switch (r.outcome) {
    case PrintOutcome::Sent:
        return {Tr("The list was sent to %1.").arg(named) + caveat, {}};
    case PrintOutcome::Held:
        return {Tr("The list is waiting at %1, which is paused.").arg(named),
                Tr("The list was sent to %1, but the printer is paused: it prints when the printer is resumed. The "
                   "records are kept.")
                    .arg(named)};
    case PrintOutcome::NoPrinter:
        return {Tr("Nothing was printed: no printer."),
                Tr("Nothing was printed. No default printer is set up on this computer. Set up a printer and press "
                   "Print again; the records are kept.")};
    case PrintOutcome::Refused:
        return {Tr("Nothing was printed: the printer refused the list."),
                Tr("Nothing was printed. %1 does not accept print jobs now%2.")
                        .arg(named.left(1).toUpper() + named.mid(1), detail)
                    + kept};
    case PrintOutcome::NotRunning:
        return {Tr("Nothing was printed: the print service is not running."),
                Tr("Nothing was printed. The print service of this computer is not running.") + kept};
    case PrintOutcome::NotAnswering:
        return {Tr("Nothing was printed: the print service did not answer."),
                Tr("Nothing was printed. The print service of this computer did not answer.") + kept};
    case PrintOutcome::TimedOut:
        return {Tr("Nothing was printed: the print service did not answer in time."),
                Tr("Nothing was printed. The print service of this computer did not answer in time.") + kept};
    case PrintOutcome::StoppedAnswering:
        return {Tr("Nothing was printed: the print service stopped answering%1.").arg(detail),
                Tr("Nothing was printed. The print service of this computer stopped answering%1.").arg(detail) + kept};
    case PrintOutcome::Unconfirmed:
        return {Tr("The print service did not confirm the list: check the printer before printing again."),
                Tr("The list may not have reached the printer: the print service of this computer did not confirm "
                   "in time that it holds it. It may still print once the service answers; check the printer before "
                   "you press Print again. The records are kept.")};
    case PrintOutcome::Failed:
        return {Tr("Printing failed."),
                Tr("Printing failed: %1. The records are kept; check the printer and press Print again.")
                    .arg(PrintFailureText(r))};
    }
    return {Tr("Printing failed."), {}};
}

QString KeptListOffered(const KeptListSummary& list, const QString& keys)
{
    // A download that stopped short says so: the unit reported more.
    if (list.reportedCount > list.records)
        return Tr("The list downloaded %1 is kept (%2\u00a0of the %3\u00a0records the unit reported, "
                  "%4\u00a0marked): press %5 to bring it back.")
            .arg(When(list.downloaded))
            .arg(list.records)
            .arg(list.reportedCount)
            .arg(list.marks)
            .arg(keys);
    return Tr("The list downloaded %1 is kept (%2\u00a0records, %3\u00a0marked): press %4 to bring it back.")
        .arg(When(list.downloaded))
        .arg(list.records)
        .arg(list.marks)
        .arg(keys);
}

QString ListBroughtBack(const KeptListSummary& list)
{
    return Tr("Back on screen: the list downloaded %1, %2\u00a0records, %3\u00a0marked.")
        .arg(When(list.downloaded))
        .arg(list.records)
        .arg(list.marks);
}

QString NoKeptList() { return Tr("No list of an earlier download is kept."); }

QString KeptListUnreadable() { return Tr("That list could not be read from the kept lists; the list on screen stays."); }

QString BringBackAfterTheDownload()
{
    return Tr("A download is running: a kept list can be brought back once it has ended.");
}

QString BringBackAfterTheStartUp()
{
    return Tr("The unit is being started: the kept list is brought back as soon as it is.");
}

PathNews ListsNotKept(const ListStore::Opening& opening, const QString& folder)
{
    const QString inFolder = QDir::toNativeSeparators(folder);
    switch (opening.trouble) {
    case StoreTrouble::None:
        break;
    case StoreTrouble::FolderNotWritable:
        return {Tr("The lists are not being kept: the data folder %1 cannot be written. Timing goes on as before."),
                inFolder};
    case StoreTrouble::HeldElsewhere:
        return {Tr("The lists are not being kept here: the program on the computer %1 holds them. They are taken "
                   "over as soon as it lets them go.")
                    .arg(opening.heldOn),
                {}};
    case StoreTrouble::InUse:
        return {Tr("The lists are not being kept here: another copy of the program is running and keeps them."), {}};
    case StoreTrouble::WriteFailed:
        return {ListsNoLongerKept(opening.detail), {}};
    case StoreTrouble::NotOwn:
        return {Tr("The lists are not being kept: the data folder %1 is not this user's own (%2), so nothing is "
                   "written there.")
                    .arg(QStringLiteral("%1"), opening.detail),
                inFolder};
    case StoreTrouble::Damaged:
    case StoreTrouble::Newer: {
        const QString what = opening.trouble == StoreTrouble::Newer ? Tr("were kept by a newer version of the program")
                                                                    : Tr("are damaged");
        if (opening.setAsideAs.isEmpty() || !opening.open)
            return {Tr("The lists are not being kept: the kept lists %1 and could not be set aside.").arg(what), {}};
        return {Tr("The kept lists %1: they were set aside as %2 and new lists are kept from now.")
                    .arg(what, QStringLiteral("%1")),
                QDir::toNativeSeparators(opening.setAsideAs)};
    }
    }
    return {};
}

QString ListsNoLongerKept(const QString& why)
{
    return Tr("The lists are no longer being kept: the store could not be written (%1). Timing goes on as before.")
        .arg(why);
}

QString TakeOverQuestion(const ListStore::Opening& opening)
{
    if (!opening.lastWritten.isValid())
        return Tr("The kept lists are held by this program on the computer %1. If it no longer runs there, take them "
                  "over here?")
            .arg(opening.heldOn);
    return Tr("The kept lists are held by this program on the computer %1, which last wrote them %2. If it no longer "
              "runs there, take them over here?")
        .arg(opening.heldOn, StampMoment(opening.lastWritten));
}

QString TakeOverDetail()
{
    return Tr("Two computers keeping the same lists at once could lose marks. Cancel leaves them to the other "
              "computer; this one keeps nothing until it lets them go.");
}

QString ListsKeptAgain()
{
    return Tr("The lists are being kept again: the list on screen and every mark are on the disk now.");
}

QString ExitWhileNotKept()
{
    return Tr("The list on screen is not on the disk: the lists are not being kept. Exit all the same, and lose it?");
}

QString OnlyKeptListOnScreen() { return Tr("The only kept list is the one on screen."); }

QString MarkUndone(int record, int bib, int mark, const QString& redoKeys)
{
    return Tr("Undone: record %1 (bib %2) is %3 again (%4 redoes it).")
        .arg(record)
        .arg(bib)
        .arg(MarkName(mark), redoKeys);
}

QString MarkRedone(int record, int bib, int mark)
{
    return Tr("Redone: record %1 (bib %2) is %3 again.").arg(record).arg(bib).arg(MarkName(mark));
}

QString WithEarlierListKept(const QString& news, const QString& bringBackKeys, const QString& keptListsKeys)
{
    //: %1 is a whole sentence of the download's news.
    return Tr("%1 The list before is kept: %2 brings it back, %3 shows every kept list.")
        .arg(news, bringBackKeys, keptListsKeys);
}

QString NothingToUndo() { return Tr("No mark of this list to undo."); }

QString NothingToRedo() { return Tr("No undone mark to redo."); }

} // namespace OperatorLineText
