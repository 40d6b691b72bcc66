#pragma once

#include "app/results_window.h"
#include "app/shared_parts.h"
#include "entrants/entrant_list.h"
#include "records/records.h"
#include "results/places.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <QUndoStack>

#include <functional>

class KeptListsController;
class OutputController;
class StartListImportDialog;

// The results: the event's entrants (a start list imported through a step
// that shows how it is read), its rules, the places of the list on screen
// in their own window, which read of a bib read twice counts, and the
// results file. The results follow the list: every change of the table is
// in them by the next turn of the event loop. An import, a choice and a
// change of the rules are each one step of the window's undo, and kept in
// the lists' store.
class ResultsController : public QObject {
    Q_OBJECT
public:
    struct Parts : SharedParts {
        KeptListsController& lists;
        OutputController& output;
    };
    // A file larger than this is no start list.
    static constexpr qint64 LargestStartList = 64 * 1024 * 1024;

    explicit ResultsController(const Parts& parts);
    ~ResultsController() override;

    void showWindow();
    // Asks for a start list's file, then importFile.
    void importClicked();
    // Reads a start list and opens the step that takes it; false, with the
    // operator told why, when the file holds none.
    bool importFile(const QString& path);
    // Takes these entrants in place of the event's, as one step.
    void take(std::vector<Entrant> entrants, const QString& from);
    void chooseRead(int bib, int record);
    void setRules(const ResultRules& rules);
    // Asks for a file name, then writeResults.
    void writeResultsClicked();
    bool writeResults(const QString& path);
    // The store has opened: the event as it keeps it.
    void storeOpened();
    // A line's tooltip (`lineTip`, its fields) with the name of the entrant
    // whose bib it has; rich text, the name escaped, so that no name is markup.
    QString lineTip(const QString& lineTip, int viewRow) const;

    // The results as the table stands now.
    const Results& results();
    const EntrantList& entrants() const { return entrants_; }
    const ResultRules& rules() const { return rules_; }
    ResultsWindow* window() const { return window_; }
    StartListImportDialog* importDialog() const { return import_; }
    QUndoStack& history() { return history_; }
    // The window does not show the table as it stands yet.
    bool refreshPending() const { return refreshDue_; }
    // A download files a record at every poll: the window is made again at
    // most this often, so that following it costs the list nothing.
    static constexpr int RefreshMs = 200;

signals:
    // The results window shows the table as it stands now.
    void shown();

private:
    void tableChanged(const Records::Change& change);
    void refreshSoon();
    void refresh();
    void actionRequested(ResultsWindow::Action action);
    void editRules();
    void step(const QString& text, std::function<void()> forth, std::function<void()> back);
    void setEntrants(std::vector<Entrant> entrants);
    void setCounted(int bib, std::optional<int> record);
    void showSteps();
    QWidget* dialogParent() const;

    Parts parts_;
    EntrantList entrants_;
    ResultRules rules_;
    CountedReads counted_;
    Results results_;
    // The table changed since results_ was computed.
    bool due_ = true;
    // The window is behind the table, and is made to follow by `refresher_`.
    bool refreshDue_ = false;
    QTimer refresher_;
    QElapsedTimer sinceRefresh_;
    QUndoStack history_;
    ResultsWindow* window_ = nullptr;
    StartListImportDialog* import_ = nullptr;
    QString folder_;
};
