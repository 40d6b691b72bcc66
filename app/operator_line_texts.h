#pragma once

#include "export/export_run.h"
#include "lists/list_store.h"
#include "print/print_system.h"
#include "records/download_count.h"
#include "records/record_table.h"

#include <QDateTime>
#include <QString>

// What the operator line says, and the messages that go with a print: whole
// sentences, each made here from the values it tells, through the
// translation table. A text that names a file keeps the place of its path as
// "%1", for the line to shorten the path to the room it has.
namespace OperatorLineText {

QString UnitBeingStarted();
QString NoUnitForGetMemory();
QString AwaitingUnitSearch();

QString AskingForRecords();
QString Downloading(int filed, int expected);
QString DownloadComplete(int filed, const QString& timeOfDay);
QString DownloadStoppedShort(const DownloadCount& count, bool unitWentQuiet);
QString NoRecordsSent();
QString NoUnitNothingDownloaded();
QString QuietBeforeAnyRecord();
// What to know of the list an export or a print took, after the news of it:
// records below the count that never came, or a count from the unit below
// the records filed. Empty when the list is whole.
QString ListCaveat(const RecordTableState& store);
// The same, for a list taken while the download goes on.
QString DownloadStillRunning(const DownloadCount& count);

QString ListWritten(ExportFormat format, const QString& caveat);
QString ListNotWritten();
QString ExportCancelled();

QString SendingToPrinter();
QString SendingResultsToPrinter();
QString StillPrinting();

struct PrintNews {
    QString line;
    // A message box's text; empty when the line says it all.
    QString message;
};
PrintNews TellPrintOutcome(const PrintResult& result, const QString& caveat);

// The kept lists. `keys` is the key that does what the text offers.
QString KeptListOffered(const KeptListSummary& list, const QString& keys);
QString ListBroughtBack(const KeptListSummary& list);
QString NoKeptList();
QString KeptListUnreadable();
QString BringBackAfterTheDownload();
QString BringBackAfterTheStartUp();
QString ListsAfterTheOpening();
QString KeptListsSlowToAnswer();
QString BringBackAfterTheOpening();
// A sentence and the path it names at "%1", for the line to shorten; no
// path when it names none.
struct PathNews {
    QString text;
    QString path;
    // The sentence with its path written in.
    QString spelled() const { return path.isEmpty() ? text : text.arg(path); }
};
// Why the lists are not being kept, or that a store was set aside; the path
// is the data folder `folder`, or the name the store was set aside as.
PathNews ListsNotKept(const ListStore::Opening& opening, const QString& folder);
QString ListsNoLongerKept(const QString& why);
QString ListsKeptAgain();
// The lock of a copy on another computer: offered to take it over.
QString TakeOverQuestion(const ListStore::Opening& opening);
QString TakeOverDetail();
QString ExitWhileNotKept();
QString WritingListsBeforeTheEnd();
QString ExitWhileStillWriting();
QString ExitWhileStartListNotKept();
QString OnlyKeptListOnScreen();
QString MarkUndone(int record, int bib, int mark, const QString& redoKeys);
QString MarkRedone(int record, int bib, int mark);
// A download's news, when it began a new list after a kept one.
QString WithEarlierListKept(const QString& news, const QString& bringBackKeys, const QString& keptListsKeys);
QString NothingToUndo();
QString NothingToRedo();

} // namespace OperatorLineText
