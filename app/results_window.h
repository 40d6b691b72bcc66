#pragma once

#include "results/places.h"

#include <QWidget>

class QAction;
class QComboBox;
class QLabel;
class QTreeWidget;

// The results of the list on screen, in a window of their own beside the
// main window: overall, or in sections by gender, category or age group,
// the lines out of the places after those placed. Every name is shown as
// the plain text it was imported as.
class ResultsWindow : public QWidget {
    Q_OBJECT
public:
    enum class Grouping { Overall, Gender, Category, AgeGroup };
    enum class Action { Import, AgeGroups, WriteResults, PrintResults, Undo, Redo, CountRead };
    static constexpr int ActionCount = 7;
    // The table's columns.
    enum Column { Place, Bib, Name, Gender, Age, Category, Team, Time, Status, Record, ColumnCount };

    explicit ResultsWindow(QWidget* parent);

    void showResults(const Results& results, int entrants);
    // What undo and redo would do; empty greys the item.
    void showSteps(const QString& undo, const QString& redo);
    // Beside the main window, where the screen has room: narrower than it
    // opens, down to this, so as to stand beside it.
    static constexpr int MinimumWidthBeside = 600;
    void placeBeside(const QWidget& main);
    // What became of the last thing asked, below the summary.
    void showNews(const QString& news);
    Grouping grouping() const;
    void setGrouping(Grouping grouping);
    QTreeWidget& table() const { return *table_; }
    QLabel& summary() const { return *summary_; }
    QLabel& news() const { return *news_; }
    QAction& action(Action which) const { return *actions_[static_cast<std::size_t>(which)]; }

    // The words of a status, as the window and the printed results show it.
    static QString statusText(ResultStatus status);

signals:
    void actionRequested(Action action);
    // "Count This Read" on a line of a bib read twice.
    void readChosen(int bib, int record);

private:
    void chooseCurrentRead();
    void updateCountRead();

    QComboBox* grouping_ = nullptr;
    QTreeWidget* table_ = nullptr;
    QLabel* summary_ = nullptr;
    QLabel* news_ = nullptr;
    std::array<QAction*, ActionCount> actions_{};
    // The results shown, kept for a change of grouping.
    Results shown_;
    int entrants_ = 0;
    // How many lines, and in which grouping, the columns were last fitted to.
    int fittedFor_ = 0;
    Grouping fittedGrouping_ = Grouping::Overall;
};
