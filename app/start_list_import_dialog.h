#pragma once

#include "entrants/start_list.h"

#include <QDialog>

#include <array>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QTableWidget;

// The step before a start list is taken: the column found for each field,
// which the operator may change, the first rows as they would be read, and
// every problem with its line. Nothing can be taken while a problem stands.
class StartListImportDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int RowsShown = 5;

    // `name`: the file's name; `entrantsNow`: how many a take would replace.
    StartListImportDialog(QWidget* parent, const QString& name, TextTable table, int entrantsNow);

    // The entrants as the mapping reads them now.
    const StartList& read() const { return read_; }
    QComboBox& columnOf(EntrantField field) const { return *columns_[static_cast<std::size_t>(field)]; }
    QTableWidget& preview() const { return *preview_; }
    QListWidget& problems() const { return *problems_; }
    QPushButton& takeButton() const { return *take_; }

    // A problem as the operator reads it.
    static QString problemText(const StartListProblem& problem);

private:
    void readAgain();

    TextTable table_;
    StartList read_;
    std::array<QComboBox*, EntrantFieldCount> columns_{};
    QTableWidget* preview_ = nullptr;
    QListWidget* problems_ = nullptr;
    QLabel* verdict_ = nullptr;
    QPushButton* take_ = nullptr;
};
