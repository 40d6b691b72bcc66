#include "app/age_groups_dialog.h"

#include "results/places.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>

#include <algorithm>

namespace {

// "18, 35, 50" as ascending ages; none when a part is no age.
std::optional<std::vector<int>> ReadStarts(const QString& text)
{
    std::vector<int> starts;
    for (const QString& part : text.split(QRegularExpression(QStringLiteral("[,;\\s]+")), Qt::SkipEmptyParts)) {
        bool ok = false;
        const int age = part.toInt(&ok);
        if (!ok || age < 0 || age > 120)
            return std::nullopt;
        starts.push_back(age);
    }
    std::sort(starts.begin(), starts.end());
    starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
    return starts;
}

QString StartsText(const std::vector<int>& starts)
{
    QStringList parts;
    for (int age : starts)
        parts << QString::number(age);
    return parts.join(QStringLiteral(", "));
}

} // namespace

AgeGroupsDialog::AgeGroupsDialog(QWidget* parent, const ResultRules& rules) : QDialog(parent)
{
    setObjectName("AgeGroups");
    setWindowTitle(tr("Age Groups"));
    auto* form = new QFormLayout(this);

    raceDay_ = new QDateEdit(rules.raceDay.isValid() ? rules.raceDay : QDate::currentDate(), this);
    raceDay_->setCalendarPopup(true);
    form->addRow(tr("Race day (ages are counted on it):"), raceDay_);

    starts_ = new QLineEdit(StartsText(rules.ageGroupStarts), this);
    starts_->setPlaceholderText(tr("for example 18, 35, 50"));
    starts_->setAccessibleName(tr("Ages the groups start at"));
    form->addRow(tr("Groups start at the ages:"), starts_);

    auto* steps = new QHBoxLayout;
    step_ = new QSpinBox(this);
    step_->setRange(1, 50);
    step_->setValue(10);
    stepFrom_ = new QSpinBox(this);
    stepFrom_->setRange(0, 99);
    stepFrom_->setValue(20);
    auto* fill = new QPushButton(tr("Fill In"), this);
    steps->addWidget(new QLabel(tr("every"), this));
    steps->addWidget(step_);
    steps->addWidget(new QLabel(tr("years from the age"), this));
    steps->addWidget(stepFrom_);
    steps->addWidget(fill);
    form->addRow(tr("Or groups of:"), steps);
    connect(fill, &QPushButton::clicked, this,
            [this] { starts_->setText(StartsText(AgeGroupSteps(stepFrom_->value(), step_->value()))); });

    leftOut_ = new QSpinBox(this);
    leftOut_->setRange(0, 50);
    leftOut_->setValue(rules.overallLeftOut);
    leftOut_->setSpecialValueText(tr("none"));
    form->addRow(tr("The overall first left out of their groups:"), leftOut_);

    verdict_ = new QLabel(this);
    verdict_->setTextFormat(Qt::PlainText);
    form->addRow(verdict_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    connect(starts_, &QLineEdit::textChanged, this, &AgeGroupsDialog::check);
    check();
}

std::optional<ResultRules> AgeGroupsDialog::rules() const
{
    const auto starts = ReadStarts(starts_->text());
    if (!starts)
        return std::nullopt;
    return ResultRules{.raceDay = raceDay_->date(), .ageGroupStarts = *starts, .overallLeftOut = leftOut_->value()};
}

void AgeGroupsDialog::check()
{
    const auto read = rules();
    ok_->setEnabled(read.has_value());
    if (!read)
        verdict_->setText(tr("The ages are whole numbers from 0 to 120, separated by commas."));
    else if (read->ageGroupStarts.empty())
        verdict_->setText(tr("No age groups."));
    else
        verdict_->setText(tr("Groups: %1.").arg([&] {
            QStringList names;
            names << AgeGroupName(read->ageGroupStarts, read->ageGroupStarts.front() - 1);
            for (int age : read->ageGroupStarts)
                names << AgeGroupName(read->ageGroupStarts, age);
            if (read->ageGroupStarts.front() == 0)
                names.removeFirst();
            return names.join(QStringLiteral(", "));
        }()));
}
