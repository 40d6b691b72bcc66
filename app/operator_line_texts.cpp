#include "app/operator_line_texts.h"

#include "app/operator_line.h"
#include "common/output_stamp.h"

#include <QDir>

namespace {

// A sentence and the one that adds to it, in the order the language puts them.
QString Then(const QString& sentence, const QString& more)
{
    if (more.isEmpty())
        return sentence;
    return OperatorLine::tr("%1 %2", "a sentence, then the one that adds to it").arg(sentence, more);
}

// The line has room for a few runs of missing numbers, not for every one.
constexpr std::size_t RunsNamed = 4;

QString MissingNumbers(const std::vector<int>& missing)
{
    int left = 0;
    const QString named = QString::fromStdString(NumberRanges(missing, RunsNamed, &left));
    return left == 0 ? named : OperatorLine::tr("%1 and %2 more").arg(named).arg(left);
}

// Why a print failed, in the system's words where it had some.
QString PrintFailureText(const PrintResult& r)
{
    switch (r.failure) {
    case PrintFailure::DocumentNotStarted:
        return OperatorLine::tr("the printer would not start the document");
    case PrintFailure::ErrorWhilePrinting:
        return OperatorLine::tr("the printer reported an error while printing");
    case PrintFailure::NoJobFile:
        return OperatorLine::tr("no temporary file for the job: %1").arg(r.detail);
    case PrintFailure::Unknown:
        break;
    }
    return r.detail.isEmpty() ? OperatorLine::tr("the printer reported an error") : r.detail;
}

// Kept whole on the line, which wraps at blanks.
QString When(const QDateTime& t) { return StampMoment(t).replace(' ', QChar(0xa0)); }

QString MarkName(int mark)
{
    switch (mark) {
    case 1:
        return OperatorLine::tr("starred");
    case 2:
        return OperatorLine::tr("disqualified");
    default:
        return OperatorLine::tr("unmarked");
    }
}

// A store that could not be used as it was, and what became of it; "%1"
// stands for the name it was set aside as.
OperatorLineText::PathNews SetAside(const ListStore::Opening& opening)
{
    const bool newer = opening.trouble == StoreTrouble::Newer;
    if (opening.setAsideAs.isEmpty() || !opening.open)
        return {newer ? OperatorLine::tr("The lists are not being kept: the kept lists were kept by a newer version of "
                                         "the program and could not be set aside.")
                      : OperatorLine::tr("The lists are not being kept: the kept lists are damaged and could not be "
                                         "set aside."),
                {}};
    const QString aside = QDir::toNativeSeparators(opening.setAsideAs);
    if (newer)
        return {OperatorLine::tr("The kept lists were kept by a newer version of the program: they were set aside as "
                                 "%1 and new lists are kept from now."),
                aside};
    // Nothing could be read whole: the store as it was, aside.
    if (opening.listsSaved == 0)
        return {OperatorLine::tr("The kept lists are damaged: they were set aside as %1 and new lists are kept from "
                                 "now."),
                aside};
    if (opening.listsLost == 0 && !opening.someUncounted)
        return {OperatorLine::tr("The kept lists were damaged, but every list could still be read: all %2 are kept as "
                                 "before. The damaged file was set aside as %1.")
                    .arg(QStringLiteral("%1"), QString::number(opening.listsSaved)),
                aside};
    if (opening.someUncounted)
        return {OperatorLine::tr("The kept lists were damaged: %2 could be read whole and are kept as before; the "
                                 "others could not be read. The damaged file was set aside as %1.")
                    .arg(QStringLiteral("%1"), QString::number(opening.listsSaved)),
                aside};
    return {OperatorLine::tr("The kept lists were damaged: %2 could be read whole and are kept as before; %3 could "
                             "not be read. The damaged file was set aside as %1.")
                .arg(QStringLiteral("%1"), QString::number(opening.listsSaved), QString::number(opening.listsLost)),
            aside};
}

} // namespace

namespace OperatorLineText {

QString UnitBeingStarted() { return OperatorLine::tr("The unit is being started; its records are asked for next."); }

QString NoUnitForGetMemory()
{
    return OperatorLine::tr(
        "No timing unit was found: the records are kept. Plug the unit in and press Get Memory again.");
}

QString AwaitingUnitSearch()
{
    return OperatorLine::tr("Looking for the timing unit; its records are asked for as soon as it is found.");
}

QString AskingForRecords() { return OperatorLine::tr("Asking the unit for its records\u2026"); }

QString Downloading(int filed, int expected)
{
    return OperatorLine::tr("Downloading: %1 of %2 records").arg(filed).arg(expected);
}

QString DownloadComplete(int filed, const QString& timeOfDay)
{
    return OperatorLine::tr("Download complete: %1 records, at %2.").arg(filed).arg(timeOfDay);
}

QString DownloadStoppedShort(const DownloadCount& count, bool unitWentQuiet)
{
    const QString text = unitWentQuiet
        ? OperatorLine::tr(
            "Download stopped short (the unit went quiet or was unplugged): %1 of %2 records came; missing %3.")
        : OperatorLine::tr("Download stopped short: %1 of %2 records came; missing %3.");
    return text.arg(count.filed).arg(count.expected).arg(MissingNumbers(count.missing));
}

QString NoRecordsSent() { return OperatorLine::tr("The unit sent no records."); }

QString NoUnitNothingDownloaded() { return OperatorLine::tr("No timing unit was found: nothing was downloaded."); }

QString QuietBeforeAnyRecord()
{
    return OperatorLine::tr("The unit went quiet or was unplugged before any record came.");
}

QString ListCaveat(const RecordTableState& store)
{
    const DownloadCount count = CountDownload(store);
    if (!count.missing.empty())
        return OperatorLine::tr("Records %1 never came; their lines are blank.").arg(MissingNumbers(count.missing));
    if (store.ReportedRecordCount < store.RecordCount)
        return OperatorLine::tr("The unit's last count was %1; all %2 records are listed.")
            .arg(store.ReportedRecordCount)
            .arg(store.RecordCount);
    return {};
}

QString DownloadStillRunning(const DownloadCount& count)
{
    return OperatorLine::tr("The download was still running: %1 of %2 records were in the list.")
        .arg(count.filed)
        .arg(count.expected);
}

QString ListWritten(ExportFormat format, const QString& caveat)
{
    if (format == ExportFormat::Spreadsheet)
        return Then(OperatorLine::tr("The list was written to %1 as a spreadsheet file (CSV)."), caveat);
    if (format == ExportFormat::Workbook)
        return Then(OperatorLine::tr("The list was written to %1 as a workbook (Excel)."), caveat);
    return Then(OperatorLine::tr("The list was written to %1"), caveat);
}

QString ListNotWritten() { return OperatorLine::tr("The list was not written to %1; the records are kept."); }

QString ExportCancelled() { return OperatorLine::tr("Nothing was written: the export was cancelled."); }

QString SendingToPrinter() { return OperatorLine::tr("Sending the list to the printer\u2026"); }

QString SendingResultsToPrinter() { return OperatorLine::tr("Sending the results to the printer\u2026"); }

QString StillPrinting() { return OperatorLine::tr("The list is still being sent to the printer."); }

PrintNews TellPrintOutcome(const PrintResult& r, const QString& caveat)
{
    const QString kept = OperatorLine::tr("The records are kept; press Print again when the printer is ready.");
    const QString named
        = r.printer.isEmpty() ? OperatorLine::tr("the printer") : OperatorLine::tr("the printer %1").arg(r.printer);
    // Where a sentence begins with it.
    const QString namedFirst
        = r.printer.isEmpty() ? OperatorLine::tr("The printer") : OperatorLine::tr("The printer %1").arg(r.printer);
    const QString detail = r.detail.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(r.detail);
    switch (r.outcome) {
    case PrintOutcome::Sent:
        return {Then(OperatorLine::tr("The list was sent to %1.").arg(named), caveat), {}};
    case PrintOutcome::Held:
        return {OperatorLine::tr("The list is waiting at %1, which is paused.").arg(named),
            OperatorLine::tr(
                "The list was sent to %1, but the printer is paused: it prints when the printer is resumed. The "
                "records are kept.")
                .arg(named)};
    case PrintOutcome::NoPrinter:
        return {OperatorLine::tr("Nothing was printed: no printer."),
            OperatorLine::tr(
                "Nothing was printed. No default printer is set up on this computer. Set up a printer and press "
                "Print again; the records are kept.")};
    case PrintOutcome::Refused:
        return {OperatorLine::tr("Nothing was printed: the printer refused the list."),
            Then(OperatorLine::tr("Nothing was printed. %1 does not accept print jobs now%2.").arg(namedFirst, detail),
                kept)};
    case PrintOutcome::NotRunning:
        return {OperatorLine::tr("Nothing was printed: the print service is not running."),
            Then(OperatorLine::tr("Nothing was printed. The print service of this computer is not running."), kept)};
    case PrintOutcome::NotAnswering:
        return {OperatorLine::tr("Nothing was printed: the print service did not answer."),
            Then(OperatorLine::tr("Nothing was printed. The print service of this computer did not answer."), kept)};
    case PrintOutcome::TimedOut:
        return {OperatorLine::tr("Nothing was printed: the print service did not answer in time."),
            Then(OperatorLine::tr("Nothing was printed. The print service of this computer did not answer in time."),
                kept)};
    case PrintOutcome::StoppedAnswering:
        return {OperatorLine::tr("Nothing was printed: the print service stopped answering%1.").arg(detail),
            Then(OperatorLine::tr("Nothing was printed. The print service of this computer stopped answering%1.")
                     .arg(detail),
                kept)};
    case PrintOutcome::Unconfirmed:
        return {
            OperatorLine::tr("The print service did not confirm the list: check the printer before printing again."),
            OperatorLine::tr(
                "The list may not have reached the printer: the print service of this computer did not confirm "
                "in time that it holds it. It may still print once the service answers; check the printer before "
                "you press Print again. The records are kept.")};
    case PrintOutcome::Failed:
        return {OperatorLine::tr("Printing failed."),
            OperatorLine::tr("Printing failed: %1. The records are kept; check the printer and press Print again.")
                .arg(PrintFailureText(r))};
    }
    return {OperatorLine::tr("Printing failed."), {}};
}

QString KeptListOffered(const KeptListSummary& list, const QString& keys)
{
    // A download that stopped short says so: the unit reported more.
    if (list.reportedCount > list.records)
        return OperatorLine::tr("The list downloaded %1 is kept (%2\u00a0of the %3\u00a0records the unit reported, "
                                "%4\u00a0marked): press %5 to bring it back.")
            .arg(When(list.downloaded))
            .arg(list.records)
            .arg(list.reportedCount)
            .arg(list.marks)
            .arg(keys);
    return OperatorLine::tr(
        "The list downloaded %1 is kept (%2\u00a0records, %3\u00a0marked): press %4 to bring it back.")
        .arg(When(list.downloaded))
        .arg(list.records)
        .arg(list.marks)
        .arg(keys);
}

QString ListBroughtBack(const KeptListSummary& list)
{
    return OperatorLine::tr("Back on screen: the list downloaded %1, %2\u00a0records, %3\u00a0marked.")
        .arg(When(list.downloaded))
        .arg(list.records)
        .arg(list.marks);
}

QString NoKeptList() { return OperatorLine::tr("No list of an earlier download is kept."); }

QString KeptListUnreadable()
{
    return OperatorLine::tr("That list could not be read from the kept lists; the list on screen stays.");
}

QString BringBackAfterTheDownload()
{
    return OperatorLine::tr("A download is running: a kept list can be brought back once it has ended.");
}

QString ListsAfterTheOpening()
{
    return OperatorLine::tr("The kept lists are being opened: they are shown as soon as they are.");
}

QString KeptListsSlowToAnswer()
{
    return OperatorLine::tr("The disk of the kept lists is slow to answer: they could not be read just now. "
                            "Try again in a moment.");
}

QString BringBackAfterTheOpening()
{
    return OperatorLine::tr("The kept lists are being opened: the list is brought back as soon as they are.");
}

QString BringBackAfterTheStartUp()
{
    return OperatorLine::tr("The unit is being started: the kept list is brought back as soon as it is.");
}

PathNews ListsNotKept(const ListStore::Opening& opening, const QString& folder)
{
    const QString inFolder = QDir::toNativeSeparators(folder);
    switch (opening.trouble) {
    case StoreTrouble::None:
        break;
    case StoreTrouble::FolderNotWritable:
        return {OperatorLine::tr(
                    "The lists are not being kept: the data folder %1 cannot be written. Timing goes on as before."),
            inFolder};
    case StoreTrouble::LogDamaged:
        if (opening.logLeftInPlace)
            return {OperatorLine::tr("The kept lists' log was damaged: the latest changes of the lists could not be "
                                     "read, and the log %1 could not be moved aside. The lists are kept from now."),
                    QDir::toNativeSeparators(opening.setAsideAs)};
        return {OperatorLine::tr("The kept lists' log was damaged: the latest changes of the lists could not be read. "
                                 "The log was set aside as %1, and the lists are kept from now."),
                QDir::toNativeSeparators(opening.setAsideAs)};
    case StoreTrouble::DiskFull:
        return {OperatorLine::tr("The lists are not being kept: the disk that holds the data folder %1 is full. Free "
                                 "some room there; the list on screen is kept as soon as there is room."),
                inFolder};
    case StoreTrouble::HeldElsewhere:
        return {OperatorLine::tr(
                    "The lists are not being kept here: the program on the computer %1 holds them. They are taken "
                    "over as soon as it lets them go.")
                    .arg(opening.heldOn),
            {}};
    case StoreTrouble::InUse:
        return {OperatorLine::tr(
                    "The lists are not being kept here: another copy of the program is running and keeps them."),
            {}};
    case StoreTrouble::WriteFailed:
        return {ListsNoLongerKept(opening.detail), {}};
    case StoreTrouble::NotOwn:
        return {OperatorLine::tr(
                    "The lists are not being kept: the data folder %1 is not this user's own (%2), so nothing is "
                    "written there.")
                    .arg(QStringLiteral("%1"), opening.detail),
            inFolder};
    case StoreTrouble::Damaged:
    case StoreTrouble::Newer:
        return SetAside(opening);
    }
    return {};
}

QString ListsNoLongerKept(const QString& why)
{
    return OperatorLine::tr(
        "The lists are no longer being kept: the store could not be written (%1). Timing goes on as before.")
        .arg(why);
}

QString TakeOverQuestion(const ListStore::Opening& opening)
{
    if (!opening.lastWritten.isValid())
        return OperatorLine::tr(
            "The kept lists are held by this program on the computer %1. If it no longer runs there, take them "
            "over here?")
            .arg(opening.heldOn);
    return OperatorLine::tr(
        "The kept lists are held by this program on the computer %1, which last wrote them %2. If it no longer "
        "runs there, take them over here?")
        .arg(opening.heldOn, StampMoment(opening.lastWritten));
}

QString TakeOverDetail()
{
    return OperatorLine::tr(
        "Two computers keeping the same lists at once could lose marks. Cancel leaves them to the other "
        "computer; this one keeps nothing until it lets them go.");
}

QString ListsKeptAgain()
{
    return OperatorLine::tr("The lists are being kept again: the list on screen and every mark are on the disk now.");
}

QString ExitWhileStartListNotKept()
{
    return OperatorLine::tr("The start list or the age groups taken are not on the disk: the lists are not being "
                            "kept. Exit all the same, and lose them?");
}

QString ExitWhileNotKept()
{
    return OperatorLine::tr(
        "The list on screen is not on the disk: the lists are not being kept. Exit all the same, and lose it?");
}

QString WritingListsBeforeTheEnd() { return OperatorLine::tr("Writing the kept lists to the disk before the end…"); }

QString ExitWhileStillWriting()
{
    return OperatorLine::tr("The disk has not yet taken the last changes of the list on screen. Exit all the same, "
                            "and lose them?");
}

QString OnlyKeptListOnScreen() { return OperatorLine::tr("The only kept list is the one on screen."); }

QString MarkUndone(int record, int bib, int mark, const QString& redoKeys)
{
    return OperatorLine::tr("Undone: record %1 (bib %2) is %3 again (%4 redoes it).")
        .arg(record)
        .arg(bib)
        .arg(MarkName(mark), redoKeys);
}

QString MarkRedone(int record, int bib, int mark)
{
    return OperatorLine::tr("Redone: record %1 (bib %2) is %3 again.").arg(record).arg(bib).arg(MarkName(mark));
}

QString WithEarlierListKept(const QString& news, const QString& bringBackKeys, const QString& keptListsKeys)
{
    //: %1 is a whole sentence of the download's news.
    return OperatorLine::tr("%1 The list before is kept: %2 brings it back, %3 shows every kept list.")
        .arg(news, bringBackKeys, keptListsKeys);
}

QString NothingToUndo() { return OperatorLine::tr("No mark of this list to undo."); }

QString NothingToRedo() { return OperatorLine::tr("No undone mark to redo."); }

} // namespace OperatorLineText
