<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>AgeGroupsDialog</name>
    <message>
        <source>Age Groups</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Race day (ages are counted on it):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>for example 18, 35, 50</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ages the groups start at</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Groups start at the ages:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fill In</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>every</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>years from the age</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Or groups of:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The overall first left out of their groups:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The ages are whole numbers from 0 to 120, separated by commas.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No age groups.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Groups: %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ExportDialog</name>
    <message>
        <source>unknown error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no file name was given</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>that is a folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file is read-only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it cannot take the file now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nothing is reading from it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nothing more could be written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>system error %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the old file is as it was</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the old file is as it was, with bytes added at its end</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the old file was damaged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1; %2</source>
        <comment>why a file was not written; what became of the old one</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FILE NAME</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write the list to a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose a drive, a folder and a file name, then press Write.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A name ending in .csv is written as a spreadsheet file (CSV), one row per record and a column per field; any other name as the fixed-column list.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folders from the top of the drive down to the chosen one, then its subfolders; Enter or a double click opens one.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Files in the folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder %1 cannot be opened. It may have been removed, or you may not have permission to read it. Choose another folder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder %1 is no longer there; the folder list now shows %2. Choose a folder and press Write again; the records are kept.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File Already Exists, Do You Wish To Continue?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” is already in %2. OK replaces it with the list; Cancel keeps it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error Writing File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” in %2 could not be written: %3. The records are kept; choose another name or folder and press Write again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(no name)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FocusScrollBar</name>
    <message>
        <source>Scroll the list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Moves the page of records the list shows</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>KeptListsWindow</name>
    <message>
        <source>%1, %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kept Lists</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The lists of earlier downloads, newest first. The chosen one is shown in the main window with its marks, ready to print or export.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Downloaded</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Records</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Marks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exported to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printed on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Show</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LinkStatus</name>
    <message>
        <source>USB Connected </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USB Not Found </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>USB Communication OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Readfile Timeout </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Readfile Undefined Error</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>%1 Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Lists</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lists are not being kept</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How the link to the timing unit stands</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>News</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How the download goes and where the list was written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bring Back the Last List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kept Lists…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo Mark</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo Mark</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write File…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Keys and Tips</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo Mark of Record %1 (Bib %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo Mark of Record %1 (Bib %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sort Seq #</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Order the page by sequence number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sort Bib #</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Order the page by bib number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sort Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Order the page by elapsed time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print the list on the default printer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the times in seconds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Day Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the times as times of day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Get Memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ask the unit for the records in its memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write the list to a text file, or a spreadsheet file (a name ending in .csv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close the link to the unit and end the program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Results</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Results…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import Start List…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 downloads the unit&apos;s records; every record and mark is kept on this computer as it comes.

A click on a line, or Space on the line of the cursor (Tab to the list, then the arrow keys), changes its mark: star, DQ, none. %2 undoes a mark, %3 redoes it.

Sort Time, Sort Bib # and Sort Seq # order the page that is shown.

%4 brings back the list downloaded before; %5 shows every kept list.

Write File writes the list as text; a name ending in .csv writes a spreadsheet file, one ending in .xlsx an Excel workbook.

%6 shows the results beside the list: places overall, by gender, category and age group; %7 imports a start list.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2

Built with Qt %3 (GNU LGPL version 3), SQLite %4 (public domain) and libxlsxwriter (BSD licence); hidapi (BSD licence) reaches a real unit in the program, not in this demonstration.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2

Built with Qt %3 (GNU LGPL version 3), hidapi %4 (BSD licence), SQLite %5 (public domain) and libxlsxwriter (BSD licence).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OperatorLine</name>
    <message>
        <source>%1 %2</source>
        <comment>a sentence, then the one that adds to it</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 and %2 more</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the printer would not start the document</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the printer reported an error while printing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no temporary file for the job: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the printer reported an error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>starred</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>disqualified</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>unmarked</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The unit is being started; its records are asked for next.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No timing unit was found: the records are kept. Plug the unit in and press Get Memory again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Looking for the timing unit; its records are asked for as soon as it is found.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Asking the unit for its records…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Downloading: %1 of %2 records</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download complete: %1 records, at %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download stopped short (the unit went quiet or was unplugged): %1 of %2 records came; missing %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download stopped short: %1 of %2 records came; missing %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The unit sent no records.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No timing unit was found: nothing was downloaded.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The unit went quiet or was unplugged before any record came.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Records %1 never came; their lines are blank.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The unit&apos;s last count was %1; all %2 records are listed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The download was still running: %1 of %2 records were in the list.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The list was written to %1 as a spreadsheet file (CSV).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The list was written to %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The list was not written to %1; the records are kept.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was written: the export was cancelled.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sending the list to the printer…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The list is still being sent to the printer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The records are kept; press Print again when the printer is ready.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the printer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the printer %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The printer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The printer %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The list was sent to %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The list is waiting at %1, which is paused.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The list was sent to %1, but the printer is paused: it prints when the printer is resumed. The records are kept.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was printed: no printer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was printed. No default printer is set up on this computer. Set up a printer and press Print again; the records are kept.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was printed: the printer refused the list.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was printed. %1 does not accept print jobs now%2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was printed: the print service is not running.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was printed. The print service of this computer is not running.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was printed: the print service did not answer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was printed. The print service of this computer did not answer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was printed: the print service did not answer in time.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was printed. The print service of this computer did not answer in time.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was printed: the print service stopped answering%1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing was printed. The print service of this computer stopped answering%1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The print service did not confirm the list: check the printer before printing again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The list may not have reached the printer: the print service of this computer did not confirm in time that it holds it. It may still print once the service answers; check the printer before you press Print again. The records are kept.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printing failed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Printing failed: %1. The records are kept; check the printer and press Print again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The list downloaded %1 is kept (%2&#xa0;of the %3&#xa0;records the unit reported, %4&#xa0;marked): press %5 to bring it back.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The list downloaded %1 is kept (%2&#xa0;records, %3&#xa0;marked): press %4 to bring it back.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back on screen: the list downloaded %1, %2&#xa0;records, %3&#xa0;marked.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No list of an earlier download is kept.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>That list could not be read from the kept lists; the list on screen stays.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A download is running: a kept list can be brought back once it has ended.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The unit is being started: the kept list is brought back as soon as it is.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The lists are not being kept: the data folder %1 cannot be written. Timing goes on as before.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The lists are not being kept here: the program on the computer %1 holds them. They are taken over as soon as it lets them go.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The lists are not being kept here: another copy of the program is running and keeps them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The lists are not being kept: the data folder %1 is not this user&apos;s own (%2), so nothing is written there.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The lists are no longer being kept: the store could not be written (%1). Timing goes on as before.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The kept lists are held by this program on the computer %1. If it no longer runs there, take them over here?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The kept lists are held by this program on the computer %1, which last wrote them %2. If it no longer runs there, take them over here?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Two computers keeping the same lists at once could lose marks. Cancel leaves them to the other computer; this one keeps nothing until it lets them go.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The lists are being kept again: the list on screen and every mark are on the disk now.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The list on screen is not on the disk: the lists are not being kept. Exit all the same, and lose it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The only kept list is the one on screen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undone: record %1 (bib %2) is %3 again (%4 redoes it).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redone: record %1 (bib %2) is %3 again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 The list before is kept: %2 brings it back, %3 shows every kept list.</source>
        <extracomment>%1 is a whole sentence of the download&apos;s news.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No mark of this list to undo.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No undone mark to redo.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A timing unit is plugged in (USB %1), but this user may not open it. Install the program&apos;s udev rule (the trivex package installs it; &quot;man trivex&quot; tells more), then unplug the unit and plug it in again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A timing unit is plugged in (USB %1), but another program is using it. Close that program; the unit is taken up on its own once it is free.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A timing unit is plugged in (USB %1), but it could not be opened. Unplug it and plug it in again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A timing unit is plugged in, but Windows does not let this program open it. Unplug the unit and plug it in again; if that does not help, restart the computer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A timing unit is plugged in, but another program is using it. Close that program; the unit is taken up on its own once it is free.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A timing unit is plugged in, but Windows could not open it. Unplug it and plug it in again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The lists are not being kept: the disk that holds the data folder %1 is full. Free some room there; the list on screen is kept as soon as there is room.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The kept lists&apos; log was damaged: the latest changes of the lists could not be read. The log was set aside as %1, and the lists are kept from now.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The lists are not being kept: the kept lists were kept by a newer version of the program and could not be set aside.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The lists are not being kept: the kept lists are damaged and could not be set aside.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The kept lists were kept by a newer version of the program: they were set aside as %1 and new lists are kept from now.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The kept lists are damaged: they were set aside as %1 and new lists are kept from now.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The kept lists were damaged, but every list could still be read: all %2 are kept as before. The damaged file was set aside as %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The kept lists were damaged: %2 could be read whole and are kept as before; the others could not be read. The damaged file was set aside as %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The kept lists were damaged: %2 could be read whole and are kept as before; %3 could not be read. The damaged file was set aside as %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The list was written to %1 as a workbook (Excel).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sending the results to the printer…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The kept lists&apos; log was damaged: the latest changes of the lists could not be read, and the log %1 could not be moved aside. The lists are kept from now.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The start list or the age groups taken are not on the disk: the lists are not being kept. Exit all the same, and lose them?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The kept lists are being opened: they are shown as soon as they are.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The kept lists are being opened: the list is brought back as soon as they are.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Writing the kept lists to the disk before the end…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The disk has not yet taken the last changes of the list on screen. Exit all the same, and lose them?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The disk of the kept lists is slow to answer: they could not be read just now. Try again in a moment.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ResultsController</name>
    <message>
        <source>Import Start List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start lists (*.csv *.txt *.tsv *.tab);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” is too large to be a start list.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A start list is a text file of a few megabytes at most: one line for each entrant.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” could not be read: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1” holds no start list.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A start list is a table saved as CSV or as tab-separated text: a header line that names the columns, then one line for each entrant.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import of %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choice of Record %1 for Bib %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Age Groups</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write Results</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>a sentence, then the one that adds to it</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Results for results sites (*.csv);;Workbook for spreadsheets in any language (*.xlsx)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The results were written to %1 (lines: %2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Records that need a look are not in it: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name: %1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ResultsPicture</name>
    <message>
        <source>Records</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No records are shown.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 records shown. Up and Down move the line cursor; Space marks its line.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ResultsReport</name>
    <message>
        <source>Results, printed %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Place</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bib</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Team</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Without a category</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Overall</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Records that need a look are not in these results: %1 (unknown bibs, no bib or a bib read twice).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ResultsWindow</name>
    <message>
        <source>Results</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import Start List…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Age Groups…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write Results…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Count This Read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Overall</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>By Gender</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>By Category</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>By Age Group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Places shown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Place</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bib</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gender</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Age</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Category</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Team</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Record</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DNF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DQ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown bib</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No bib</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Read twice: choose</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not counted</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not placed here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>a sentence, then the one that adds to it</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No start list taken.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Places:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Results</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Entrants in the start list: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Records: %1, of which %2 placed and %3 out of the places.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Needing a look (unknown bibs, no bib, a bib read twice): %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StartListColumns</name>
    <message>
        <source>bib|number</source>
        <extracomment>Each list: the names a start list&apos;s header gives a column, in the operator&apos;s language, separated by |. English is always understood too.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>first name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>last name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>gender</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>birth date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>age</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>category</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>team</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>city</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StartListImportDialog</name>
    <message>
        <source>Bib</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>First name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Whole name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Gender</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Birth date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Age</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Category</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Team</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>City</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import Start List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>tabs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>semicolons</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>commas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(not in the file)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Column %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The first rows as they would be taken</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>What stands in the way of taking the list</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Take</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No column is chosen for the bib: choose the column that holds the bib numbers.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line %1 has no bib.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line %1: the bib “%2” is not a whole number above 0.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lines %1 and %2 both have bib %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line %1: “%2” is no birth date or age the program can read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file has no entrant to take.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1”, %2, separated by %3; rows: %4. Check the column of each field; the first rows below are read as they would be taken.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Taking this list replaces the entrants taken before (%1); Undo in the results window brings them back.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Problems in the way: %1. Mend the file, or choose other columns; nothing is taken until none is left.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Entrants that can be taken: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Take the Entrants (%1)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
