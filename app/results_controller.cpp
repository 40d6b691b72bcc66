#include "app/results_controller.h"

#include "app/age_groups_dialog.h"
#include "app/kept_lists_controller.h"
#include "app/main_window.h"
#include "app/output_controller.h"
#include "app/results_report.h"
#include "app/start_list_import_dialog.h"
#include "app/timer_state.h"
#include "presentation/results_view.h"
#include "common/operator_prompt.h"
#include "export/export_texts.h"
#include "export/file_system_names.h"
#include "export/safe_file_writer.h"
#include "results/result_files.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QUndoCommand>

#include <algorithm>

namespace {

// One step of the event's history: what it does, and what takes it back.
class EventStep : public QUndoCommand {
public:
    EventStep(const QString& text, std::function<void()> forth, std::function<void()> back)
        : QUndoCommand(text), forth_(std::move(forth)), back_(std::move(back))
    {
    }
    void redo() override { forth_(); }
    void undo() override { back_(); }

private:
    std::function<void()> forth_;
    std::function<void()> back_;
};

} // namespace

ResultsController::ResultsController(const Parts& parts) : parts_(parts)
{
    parts_.state.records.addListener([this](const Records::Change& change) { tableChanged(change); });
    refresher_.setSingleShot(true);
    connect(&refresher_, &QTimer::timeout, this, &ResultsController::refresh);
    connect(&history_, &QUndoStack::indexChanged, this, &ResultsController::showSteps);
}

ResultsController::~ResultsController() = default;

QWidget* ResultsController::dialogParent() const
{
    return window_ && window_->isVisible() ? static_cast<QWidget*>(window_) : &parts_.window;
}

void ResultsController::storeOpened()
{
    ListKeeper& keeper = parts_.lists.keeper();
    setEntrants(keeper.keptEntrants());
    rules_ = keeper.keptRules();
    counted_ = keeper.countedReads();
    due_ = true;
    refreshSoon();
}

void ResultsController::tableChanged(const Records::Change& change)
{
    // A new list on screen has the choices made for it, none for a download.
    if (change.kind == Records::Change::Kind::Emptied)
        counted_.clear();
    else if (change.kind == Records::Change::Kind::Replaced)
        counted_ = parts_.lists.keeper().countedReads();
    due_ = true;
    refreshSoon();
}

QString ResultsController::lineTip(const QString& lineTip, int viewRow) const
{
    const RecordTableState& table = parts_.state.records.table();
    const int n = parts_.state.view.FirstShownRecord + (viewRow - ResultsView::FirstDataRow);
    if (lineTip.isEmpty() || n < 0 || n >= RecordTableState::Rows || table.rowIsEmpty(n))
        return lineTip;
    const Entrant* e = entrants_.find(ReadBib(table.RecordTable[static_cast<std::size_t>(n)]));
    if (!e)
        return lineTip;
    QStringList kind;
    for (const QString& part : {e->gender, e->category})
        if (!part.trimmed().isEmpty())
            kind << part.trimmed();
    // A team's name may hold commas of its own.
    QStringList about;
    if (!kind.isEmpty())
        about << kind.join(QStringLiteral(", "));
    if (!e->team.trimmed().isEmpty())
        about << e->team.trimmed();
    const QString name = FullName(*e);
    const QString line = about.isEmpty() ? tr("Name: %1").arg(name)
                                         : tr("Name: %1 (%2)").arg(name, about.join(QStringLiteral("; ")));
    return QStringLiteral("<p style='white-space:pre'>%1</p>")
        .arg((lineTip + QLatin1Char('\n') + line).toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>")));
}

const Results& ResultsController::results()
{
    if (std::exchange(due_, false))
        results_ = ComputeResults(parts_.state.records.table(), entrants_, rules_, counted_);
    return results_;
}

void ResultsController::refreshSoon()
{
    // The window follows once the event is done, never inside it.
    if (!window_ || !window_->isVisible() || std::exchange(refreshDue_, true))
        return;
    const qint64 since = sinceRefresh_.isValid() ? sinceRefresh_.elapsed() : RefreshMs;
    refresher_.start(static_cast<int>(std::max<qint64>(0, RefreshMs - since)));
}

void ResultsController::refresh()
{
    refreshDue_ = false;
    refresher_.stop();
    sinceRefresh_.start();
    if (!window_)
        return;
    window_->showResults(results(), entrants_.size());
    emit shown();
}

void ResultsController::showWindow()
{
    if (!window_) {
        window_ = new ResultsWindow(&parts_.window);
        connect(window_, &ResultsWindow::actionRequested, this, &ResultsController::actionRequested);
        connect(window_, &ResultsWindow::readChosen, this, &ResultsController::chooseRead);
        showSteps();
        window_->show();
        window_->placeBeside(parts_.window);
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
    refresh();
}

void ResultsController::actionRequested(ResultsWindow::Action action)
{
    switch (action) {
    case ResultsWindow::Action::Import:
        return importClicked();
    case ResultsWindow::Action::AgeGroups:
        return editRules();
    case ResultsWindow::Action::WriteResults:
        return writeResultsClicked();
    case ResultsWindow::Action::PrintResults:
        return parts_.output.printReport(ResultsReport::make(results(), QDateTime::currentDateTime()));
    case ResultsWindow::Action::Undo:
        return history_.undo();
    case ResultsWindow::Action::Redo:
        return history_.redo();
    case ResultsWindow::Action::CountRead:
        break;
    }
}

void ResultsController::importClicked()
{
    const QString path = QFileDialog::getOpenFileName(
        dialogParent(), tr("Import Start List"), folder_.isEmpty() ? QDir::homePath() : folder_,
        tr("Start lists (*.csv *.txt *.tsv *.tab);;All files (*)"));
    if (!path.isEmpty())
        importFile(path);
}

bool ResultsController::importFile(const QString& path)
{
    const QFileInfo info(path);
    folder_ = info.absolutePath();
    const QString name = info.fileName();
    QFile file(path);
    if (info.size() > LargestStartList) {
        parts_.prompt.tell(tr("\u201c%1\u201d is too large to be a start list.").arg(name),
                           tr("A start list is a text file of a few megabytes at most: one line for each entrant."));
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        parts_.prompt.tell(tr("\u201c%1\u201d could not be read: %2.").arg(name, file.errorString()));
        return false;
    }
    std::optional<TextTable> table = ReadTextTable(file.read(LargestStartList));
    if (!table) {
        parts_.prompt.tell(tr("\u201c%1\u201d holds no start list.").arg(name),
                           tr("A start list is a table saved as CSV or as tab-separated text: a header line "
                              "that names the columns, then one line for each entrant."));
        return false;
    }
    delete import_;
    import_ = new StartListImportDialog(dialogParent(), name, std::move(*table), entrants_.size());
    import_->setAttribute(Qt::WA_DeleteOnClose, false);
    connect(import_, &QDialog::accepted, this, [this, name] {
        if (import_->read().problems.empty())
            take(import_->read().entrants, name);
    });
    import_->open();
    return true;
}

void ResultsController::take(std::vector<Entrant> entrants, const QString& from)
{
    std::vector<Entrant> before = entrants_.all();
    step(tr("Import of %1").arg(from), [this, after = std::move(entrants)] {
        setEntrants(after);
        parts_.lists.keeper().keepEntrants(after);
    },
         [this, before = std::move(before)] {
             setEntrants(before);
             parts_.lists.keeper().keepEntrants(before);
         });
}

void ResultsController::setEntrants(std::vector<Entrant> entrants)
{
    entrants_ = EntrantList(std::move(entrants));
    due_ = true;
    refreshSoon();
}

void ResultsController::chooseRead(int bib, int record)
{
    const auto was = counted_.find(bib);
    const std::optional<int> before = was == counted_.end() ? std::nullopt : std::optional<int>(was->second);
    if (before == record)
        return;
    step(tr("Choice of Record %1 for Bib %2").arg(record).arg(bib), [this, bib, record] { setCounted(bib, record); },
         [this, bib, before] { setCounted(bib, before); });
}

void ResultsController::setCounted(int bib, std::optional<int> record)
{
    if (record)
        counted_[bib] = *record;
    else
        counted_.erase(bib);
    parts_.lists.keeper().keepCountedRead(bib, record);
    due_ = true;
    refreshSoon();
}

void ResultsController::setRules(const ResultRules& rules)
{
    if (rules == rules_)
        return;
    step(tr("Age Groups"), [this, rules] {
        rules_ = rules;
        parts_.lists.keeper().keepRules(rules);
        due_ = true;
        refreshSoon();
    },
         [this, before = rules_] {
             rules_ = before;
             parts_.lists.keeper().keepRules(before);
             due_ = true;
             refreshSoon();
         });
}

void ResultsController::editRules()
{
    auto* dialog = new AgeGroupsDialog(dialogParent(), rules_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        if (const auto rules = dialog->rules())
            setRules(*rules);
    });
    dialog->open();
}

void ResultsController::step(const QString& text, std::function<void()> forth, std::function<void()> back)
{
    history_.push(new EventStep(text, std::move(forth), std::move(back)));
}

void ResultsController::showSteps()
{
    if (window_)
        window_->showSteps(history_.canUndo() ? history_.undoText() : QString(),
                           history_.canRedo() ? history_.redoText() : QString());
}

void ResultsController::writeResultsClicked()
{
    const QString start = QDir(folder_.isEmpty() ? QDir::homePath() : folder_).filePath(QStringLiteral("results.csv"));
    const QString path = QFileDialog::getSaveFileName(
        dialogParent(), tr("Write Results"), start,
        tr("Results for results sites (*.csv);;Workbook for spreadsheets in any language (*.xlsx)"));
    if (!path.isEmpty())
        writeResults(path);
}

bool ResultsController::writeResults(const QString& path)
{
    const QFileInfo info(path);
    const Results& now = results();
    WriteFailure why;
    const bool workbook = path.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive);
    const std::optional<QByteArray> bytes = workbook ? BuildResultsWorkbook(now, &why.systemText)
                                                     : QByteArray::fromStdString(BuildResultsCsv(now));
    if (!bytes || !WriteWholeFile(FileSystemName(QDir::toNativeSeparators(path)), *bytes, &why)) {
        parts_.prompt.tell(
            ExportDialogText::NotWritten(info.fileName(), QDir::toNativeSeparators(info.absolutePath()), why));
        return false;
    }
    folder_ = info.absolutePath();
    int lines = 0;
    for (const ResultLine& line : now.lines)
        lines += IsFinalResult(line) ? 1 : 0;
    QString told = tr("The results were written to %1 (lines: %2).").arg(QDir::toNativeSeparators(path)).arg(lines);
    if (now.needingALook > 0)
        told = tr("%1 %2", "a sentence, then the one that adds to it")
                   .arg(told, tr("Records that need a look are not in it: %1.").arg(now.needingALook));
    if (window_)
        window_->showNews(told);
    return true;
}
