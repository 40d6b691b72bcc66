#pragma once

#include "entrants/event_rules.h"

#include <QDialog>

class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// The event's rules for its results: the race day ages are counted on, the
// ages the age groups start at (typed, or steps of N years from an age),
// and how many of the overall first take no age-group place.
class AgeGroupsDialog : public QDialog {
    Q_OBJECT
public:
    AgeGroupsDialog(QWidget* parent, const ResultRules& rules);

    // The rules as the dialog holds them; none while the ages cannot be read.
    std::optional<ResultRules> rules() const;
    QLineEdit& startsBox() const { return *starts_; }

private:
    void check();

    QDateEdit* raceDay_ = nullptr;
    QLineEdit* starts_ = nullptr;
    QSpinBox* stepFrom_ = nullptr;
    QSpinBox* step_ = nullptr;
    QSpinBox* leftOut_ = nullptr;
    QLabel* verdict_ = nullptr;
    QPushButton* ok_ = nullptr;
};
