#include "app/start_list_import_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

const char* const FieldNames[EntrantFieldCount] = {
    QT_TRANSLATE_NOOP("StartListImportDialog", "Bib"),        QT_TRANSLATE_NOOP("StartListImportDialog", "First name"),
    QT_TRANSLATE_NOOP("StartListImportDialog", "Last name"),  QT_TRANSLATE_NOOP("StartListImportDialog", "Whole name"),
    QT_TRANSLATE_NOOP("StartListImportDialog", "Gender"),     QT_TRANSLATE_NOOP("StartListImportDialog", "Birth date"),
    QT_TRANSLATE_NOOP("StartListImportDialog", "Age"),        QT_TRANSLATE_NOOP("StartListImportDialog", "Category"),
    QT_TRANSLATE_NOOP("StartListImportDialog", "Team"),       QT_TRANSLATE_NOOP("StartListImportDialog", "City"),
};

QLabel* PlainLabel(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

} // namespace

StartListImportDialog::StartListImportDialog(QWidget* parent, const QString& name, TextTable table, int entrantsNow)
    : QDialog(parent), table_(std::move(table))
{
    setObjectName("StartListImport");
    setWindowTitle(tr("Import Start List"));
    const QString separator = table_.separator == QLatin1Char('\t') ? tr("tabs")
        : table_.separator == QLatin1Char(';')                     ? tr("semicolons")
                                                                   : tr("commas");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(PlainLabel(tr("\u201c%1\u201d, %2, separated by %3; rows: %4. Check the column of each field; "
                                    "the first rows below are read as they would be taken.")
                                     .arg(name, table_.encoding, separator)
                                     .arg(table_.rows.size()),
                                 this));

    auto* grid = new QGridLayout;
    const ColumnMapping guessed = StartListColumns::guess(table_.header);
    for (int f = 0; f < EntrantFieldCount; ++f) {
        auto* box = new QComboBox(this);
        box->addItem(tr("(not in the file)"), -1);
        for (int c = 0; c < table_.header.size(); ++c)
            box->addItem(tr("Column %1: %2").arg(c + 1).arg(table_.header[c]), c);
        const auto column = guessed.columns[static_cast<std::size_t>(f)];
        box->setCurrentIndex(column ? *column + 1 : 0);
        auto* label = new QLabel(tr(FieldNames[f]), this);
        label->setBuddy(box);
        grid->addWidget(label, f / 2, (f % 2) * 2);
        grid->addWidget(box, f / 2, (f % 2) * 2 + 1);
        columns_[static_cast<std::size_t>(f)] = box;
        connect(box, &QComboBox::currentIndexChanged, this, &StartListImportDialog::readAgain);
    }
    layout->addLayout(grid);

    preview_ = new QTableWidget(0, EntrantFieldCount - 1, this);
    preview_->setObjectName("StartListPreview");
    preview_->setAccessibleName(tr("The first rows as they would be taken"));
    preview_->setHorizontalHeaderLabels({tr("Bib"), tr("First name"), tr("Last name"), tr("Gender"), tr("Birth date"),
                                         tr("Age"), tr("Category"), tr("Team"), tr("City")});
    preview_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    preview_->verticalHeader()->hide();
    preview_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    layout->addWidget(preview_, 1);

    problems_ = new QListWidget(this);
    problems_->setObjectName("StartListProblems");
    problems_->setAccessibleName(tr("What stands in the way of taking the list"));
    layout->addWidget(problems_);
    verdict_ = PlainLabel(QString(), this);
    layout->addWidget(verdict_);
    if (entrantsNow > 0)
        layout->addWidget(PlainLabel(
            tr("Taking this list replaces the entrants taken before (%1); Undo in the results window brings them back.")
                .arg(entrantsNow),
            this));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    take_ = buttons->addButton(tr("Take"), QDialogButtonBox::AcceptRole);
    take_->setObjectName("TakeStartList");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(760, 520);
    readAgain();
}

QString StartListImportDialog::problemText(const StartListProblem& p)
{
    switch (p.kind) {
    case StartListProblem::Kind::NoBibColumn:
        return tr("No column is chosen for the bib: choose the column that holds the bib numbers.");
    case StartListProblem::Kind::NoBib:
        return tr("Line %1 has no bib.").arg(p.line);
    case StartListProblem::Kind::BadBib:
        return tr("Line %1: the bib \u201c%2\u201d is not a whole number above 0.").arg(p.line).arg(p.text);
    case StartListProblem::Kind::BibTwice:
        return tr("Lines %1 and %2 both have bib %3.").arg(p.firstLine).arg(p.line).arg(p.text);
    case StartListProblem::Kind::BadDate:
        return tr("Line %1: \u201c%2\u201d is no birth date or age the program can read.").arg(p.line).arg(p.text);
    }
    return {};
}

void StartListImportDialog::readAgain()
{
    ColumnMapping mapping;
    for (int f = 0; f < EntrantFieldCount; ++f) {
        const int c = columns_[static_cast<std::size_t>(f)]->currentData().toInt();
        if (c >= 0)
            mapping.columns[static_cast<std::size_t>(f)] = c;
    }
    read_ = ReadStartList(table_, mapping);

    const int shown = std::min<int>(RowsShown, static_cast<int>(read_.entrants.size()));
    preview_->setRowCount(shown);
    for (int r = 0; r < shown; ++r) {
        const Entrant& e = read_.entrants[static_cast<std::size_t>(r)];
        const QString born = !e.birthDate ? QString()
            : e.yearOnly                  ? QString::number(e.birthDate->year())
                                          : QLocale().toString(*e.birthDate, QLocale::ShortFormat);
        const QString texts[] = {QString::number(e.bib), e.firstName, e.lastName,
                                 e.gender,               born,        e.age ? QString::number(*e.age) : QString(),
                                 e.category,             e.team,      e.city};
        for (int c = 0; c < static_cast<int>(std::size(texts)); ++c)
            preview_->setItem(r, c, new QTableWidgetItem(texts[c]));
    }

    problems_->clear();
    for (const StartListProblem& p : read_.problems)
        problems_->addItem(problemText(p));
    problems_->setVisible(!read_.problems.empty());
    const int count = static_cast<int>(read_.entrants.size());
    if (!read_.problems.empty())
        verdict_->setText(tr("Problems in the way: %1. Mend the file, or choose other columns; nothing is taken until "
                             "none is left.")
                              .arg(read_.problems.size()));
    else if (count == 0)
        verdict_->setText(tr("The file has no entrant to take."));
    else
        verdict_->setText(tr("Entrants that can be taken: %1.").arg(count));
    take_->setText(count > 0 && read_.problems.empty() ? tr("Take the Entrants (%1)").arg(count) : tr("Take"));
    take_->setEnabled(count > 0 && read_.problems.empty());
}
