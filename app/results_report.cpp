#include "app/results_report.h"

#include "app/results_window.h"
#include "results/result_files.h"

#include <QLocale>

#include <map>

PrintedTable ResultsReport::make(const Results& results, const QDateTime& printedAt)
{
    PrintedTable table;
    table.title = tr("Results, printed %1").arg(QLocale().toString(printedAt, QLocale::ShortFormat));
    table.headings = {tr("Place"), tr("Bib"), tr("Name"), tr("Team"), tr("Time"), tr("Status")};
    table.columnsMm = {0, 14, 28, 95, 140, 165};

    bool categories = false;
    for (const ResultLine& line : results.lines)
        categories = categories || !CategoryKey(line).isEmpty();
    std::map<QString, PrintedTable::Section> sections;
    PrintedTable::Section rest{categories ? tr("Without a category") : tr("Overall"), {}};
    for (const ResultLine& line : results.lines) {
        if (!IsFinalResult(line))
            continue;
        const QString category = CategoryKey(line);
        PrintedTable::Section& section = category.isEmpty() ? rest : sections[category];
        // A category as its first line's entrant wrote it.
        if (section.heading.isEmpty())
            section.heading = line.entrant->category.trimmed();
        const int place = category.isEmpty() ? line.place : line.categoryPlace;
        section.rows.push_back({place > 0 ? QString::number(place) : QString(), QString::number(line.bib),
                                line.entrant ? FullName(*line.entrant) : QString(),
                                line.entrant ? line.entrant->team : QString(),
                                line.status == ResultStatus::Placed ? ResultTime(line.elapsed) : QString(),
                                ResultsWindow::statusText(line.status)});
    }
    for (auto& [category, section] : sections)
        table.sections.push_back(std::move(section));
    if (!rest.rows.empty())
        table.sections.push_back(std::move(rest));
    if (results.needingALook > 0)
        table.footnote = tr("Records that need a look are not in these results: %1 (unknown bibs, no bib or a bib "
                            "read twice).")
                             .arg(results.needingALook);
    return table;
}
