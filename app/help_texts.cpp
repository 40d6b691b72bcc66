#include "app/help_texts.h"

#include "app/main_window.h"
#include "common/application_title.h"

namespace HelpText {

QString KeysAndTips(const Keys& k)
{
    return MainWindow::tr(
        "%1 downloads the unit's records; every record and mark is kept on this computer as it comes.\n\n"
        "A click on a line, or Space on the line of the cursor (Tab to the list, then the arrow keys), "
        "changes its mark: star, DQ, none. %2 undoes a mark, %3 redoes it.\n\n"
        "Sort Time, Sort Bib # and Sort Seq # order the page that is shown.\n\n"
        "%4 brings back the list downloaded before; %5 shows every kept list.\n\n"
        "Write File writes the list as text; a name ending in .csv writes a spreadsheet file, one ending in .xlsx "
        "an Excel workbook.\n\n"
        "%6 shows the results beside the list: places overall, by gender, category and age group; %7 imports "
        "a start list.")
        .arg(k.getMemory, k.undo, k.redo, k.bringBack, k.keptLists, k.results, k.importStartList);
}

QString About(const Versions& v)
{
    const QString title = QString::fromLatin1(ApplicationTitle);
    if (v.hidapi.isEmpty())
        return MainWindow::tr("%1 %2\n\nBuilt with Qt %3 (GNU LGPL version 3), SQLite %4 (public domain) and "
                              "libxlsxwriter (BSD licence); hidapi (BSD licence) reaches a real unit in the program, "
                              "not in this demonstration.")
            .arg(title, v.program, v.qt, v.sqlite);
    return MainWindow::tr(
        "%1 %2\n\nBuilt with Qt %3 (GNU LGPL version 3), hidapi %4 (BSD licence), SQLite %5 (public domain) and "
        "libxlsxwriter (BSD licence).")
        .arg(title, v.program, v.qt, v.hidapi, v.sqlite);
}

} // namespace HelpText
