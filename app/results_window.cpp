#include "app/results_window.h"

#include "results/result_files.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QScreen>
#include <QHBoxLayout>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <map>

namespace {

constexpr int BibRole = Qt::UserRole;
constexpr int RecordRole = Qt::UserRole + 1;
constexpr int StatusRole = Qt::UserRole + 2;

QString Number(int n) { return n > 0 ? QString::number(n) : QString(); }

QString NameOf(const std::optional<Entrant>& e) { return e ? FullName(*e) : QString(); }

// The key of the section a line stands in, the one it is placed in; empty:
// none of that kind.
QString SectionOf(const ResultLine& line, ResultsWindow::Grouping grouping)
{
    switch (grouping) {
    case ResultsWindow::Grouping::Gender:
        return GenderKey(line);
    case ResultsWindow::Grouping::Category:
        return CategoryKey(line);
    case ResultsWindow::Grouping::AgeGroup:
        return line.ageGroupPlace > 0 ? QStringLiteral("%1 %2").arg(GenderKey(line), line.ageGroup).trimmed()
                                      : QString();
    case ResultsWindow::Grouping::Overall:
        break;
    }
    return {};
}

int PlaceIn(const ResultLine& line, ResultsWindow::Grouping grouping)
{
    switch (grouping) {
    case ResultsWindow::Grouping::Gender:
        return line.genderPlace;
    case ResultsWindow::Grouping::Category:
        return line.categoryPlace;
    case ResultsWindow::Grouping::AgeGroup:
        return line.ageGroupPlace;
    case ResultsWindow::Grouping::Overall:
        break;
    }
    return line.place;
}

} // namespace

ResultsWindow::ResultsWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName("ResultsWindow");
    setWindowTitle(tr("Results"));
    resize(820, 520);

    auto* bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    struct Spec {
        Action which;
        const char* text;
        QKeySequence keys;
    };
    const Spec specs[] = {
        {Action::Import, QT_TR_NOOP("Import Start List\u2026"), QKeySequence(Qt::CTRL | Qt::Key_I)},
        {Action::AgeGroups, QT_TR_NOOP("Age Groups\u2026"), QKeySequence(Qt::CTRL | Qt::Key_G)},
        {Action::WriteResults, QT_TR_NOOP("Write Results\u2026"), QKeySequence(Qt::CTRL | Qt::Key_S)},
        {Action::PrintResults, QT_TR_NOOP("Print Results"), QKeySequence(Qt::CTRL | Qt::Key_P)},
        {Action::Undo, QT_TR_NOOP("Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {Action::Redo, QT_TR_NOOP("Redo"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
        {Action::CountRead, QT_TR_NOOP("Count This Read"), QKeySequence(Qt::CTRL | Qt::Key_K)},
    };
    for (const Spec& spec : specs) {
        auto* action = new QAction(tr(spec.text), this);
        action->setShortcut(spec.keys);
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
        actions_[static_cast<std::size_t>(spec.which)] = action;
        if (spec.which == Action::CountRead)
            connect(action, &QAction::triggered, this, &ResultsWindow::chooseCurrentRead);
        else
            connect(action, &QAction::triggered, this, [this, which = spec.which] { emit actionRequested(which); });
        // The files and the print above; what changes the places beside their choice.
        if (spec.which <= Action::PrintResults)
            bar->addAction(action);
    }
    action(Action::Redo).setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});

    grouping_ = new QComboBox(this);
    grouping_->setObjectName("Grouping");
    grouping_->addItems({tr("Overall"), tr("By Gender"), tr("By Category"), tr("By Age Group")});
    grouping_->setAccessibleName(tr("Places shown"));
    auto* showing = new QHBoxLayout;
    auto* groupingLabel = new QLabel(tr("&Places:"), this);
    groupingLabel->setBuddy(grouping_);
    showing->addWidget(groupingLabel);
    showing->addWidget(grouping_);
    showing->addStretch(1);
    auto* steps = new QToolBar(this);
    steps->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (Action which : {Action::CountRead, Action::Undo, Action::Redo})
        steps->addAction(&action(which));
    showing->addWidget(steps);
    connect(grouping_, &QComboBox::currentIndexChanged, this, [this] { showResults(shown_, entrants_); });

    table_ = new QTreeWidget(this);
    table_->setObjectName("ResultsTable");
    table_->setHeaderLabels({tr("Place"), tr("Bib"), tr("Name"), tr("Gender"), tr("Age"), tr("Category"), tr("Team"),
                             tr("Time"), tr("Status"), tr("Record")});
    table_->setRootIsDecorated(false);
    table_->setUniformRowHeights(true);
    table_->setAllColumnsShowFocus(true);
    table_->setAccessibleName(tr("Results"));
    table_->header()->setStretchLastSection(false);
    table_->header()->setSectionResizeMode(Name, QHeaderView::Stretch);
    table_->setContextMenuPolicy(Qt::ActionsContextMenu);
    table_->addAction(&action(Action::CountRead));
    connect(table_, &QTreeWidget::currentItemChanged, this, &ResultsWindow::updateCountRead);

    summary_ = new QLabel(this);
    summary_->setObjectName("ResultsSummary");
    summary_->setTextFormat(Qt::PlainText);
    summary_->setWordWrap(true);

    news_ = new QLabel(this);
    news_->setObjectName("ResultsNews");
    news_->setTextFormat(Qt::PlainText);
    news_->setWordWrap(true);
    news_->hide();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(bar);
    layout->addLayout(showing);
    layout->addWidget(table_, 1);
    layout->addWidget(summary_);
    layout->addWidget(news_);
    updateCountRead();
}

QString ResultsWindow::statusText(ResultStatus status)
{
    switch (status) {
    case ResultStatus::Placed:
        return {};
    case ResultStatus::DidNotFinish:
        return tr("DNF");
    case ResultStatus::Disqualified:
        return tr("DQ");
    case ResultStatus::UnknownBib:
        return tr("Unknown bib");
    case ResultStatus::NoBib:
        return tr("No bib");
    case ResultStatus::ReadTwice:
        return tr("Read twice: choose");
    case ResultStatus::NotCounted:
        return tr("Not counted");
    }
    return {};
}

ResultsWindow::Grouping ResultsWindow::grouping() const { return static_cast<Grouping>(grouping_->currentIndex()); }

void ResultsWindow::setGrouping(Grouping grouping) { grouping_->setCurrentIndex(static_cast<int>(grouping)); }

void ResultsWindow::showResults(const Results& results, int entrants)
{
    if (&results != &shown_)
        shown_ = results;
    entrants_ = entrants;
    const Grouping by = grouping();
    const auto current = table_->currentItem();
    const int currentRecord = current ? current->data(0, RecordRole).toInt() : -1;
    table_->setUpdatesEnabled(false);
    table_->clear();
    table_->setRootIsDecorated(by != Grouping::Overall);

    auto lineItem = [&](const ResultLine& line, int place) {
        auto* item = new QTreeWidgetItem;
        const QString texts[ColumnCount] = {Number(place),
                                            QString::number(line.bib),
                                            NameOf(line.entrant),
                                            line.entrant ? line.entrant->gender : QString(),
                                            line.age ? QString::number(*line.age) : QString(),
                                            line.entrant ? line.entrant->category : QString(),
                                            line.entrant ? line.entrant->team : QString(),
                                            ResultTime(line.elapsed),
                                            statusText(line.status),
                                            QString::number(line.record)};
        for (int c = 0; c < ColumnCount; ++c)
            item->setText(c, texts[c]);
        for (int c : {Place, Bib, Age, Time, Record})
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        item->setData(0, BibRole, line.bib);
        item->setData(0, RecordRole, line.record);
        item->setData(0, StatusRole, static_cast<int>(line.status));
        return item;
    };

    QTreeWidgetItem* toSelect = nullptr;
    auto note = [&](QTreeWidgetItem* item, const ResultLine& line) {
        if (line.record == currentRecord)
            toSelect = item;
    };
    if (by == Grouping::Overall) {
        for (const ResultLine& line : shown_.lines) {
            auto* item = lineItem(line, line.place);
            table_->addTopLevelItem(item);
            note(item, line);
        }
    } else {
        std::map<QString, QTreeWidgetItem*> sections;
        QTreeWidgetItem* rest = nullptr;
        for (const ResultLine& line : shown_.lines) {
            const QString key = line.status == ResultStatus::Placed ? SectionOf(line, by) : QString();
            QTreeWidgetItem*& section = key.isEmpty() ? rest : sections[key];
            if (!section) {
                section = new QTreeWidgetItem;
                QFont bold = section->font(Name);
                bold.setBold(true);
                section->setFont(Name, bold);
                // A category as its first line's entrant wrote it.
                section->setText(Name, by == Grouping::Category && !key.isEmpty() ? line.entrant->category.trimmed() : key);
            }
            auto* item = lineItem(line, key.isEmpty() ? 0 : PlaceIn(line, by));
            section->addChild(item);
            note(item, line);
        }
        for (auto& [key, section] : sections)
            table_->addTopLevelItem(section);
        if (rest) {
            rest->setText(Name, tr("Not placed here"));
            table_->addTopLevelItem(rest);
        }
        table_->expandAll();
    }
    // Measuring every line is most of the cost of showing them: the columns
    // are fitted when the lines first come, and again only when a column
    // has had to grow, not for every record a download files.
    const int lines = static_cast<int>(shown_.lines.size());
    if (lines > 0 && (fittedFor_ == 0 || lines >= 2 * fittedFor_ || by != fittedGrouping_)) {
        for (int c = 0; c < ColumnCount; ++c)
            if (c != Name)
                table_->resizeColumnToContents(c);
        fittedFor_ = lines;
        fittedGrouping_ = by;
    }
    if (toSelect)
        table_->setCurrentItem(toSelect);
    table_->setUpdatesEnabled(true);

    int placed = 0;
    int out = 0;
    for (const ResultLine& line : shown_.lines)
        (line.status == ResultStatus::Placed ? placed : out) += 1;
    QString text = tr("%1 %2", "a sentence, then the one that adds to it")
                       .arg(entrants > 0 ? tr("Entrants in the start list: %1.").arg(entrants)
                                         : tr("No start list taken."),
                            tr("Records: %1, of which %2 placed and %3 out of the places.")
                                .arg(shown_.lines.size())
                                .arg(placed)
                                .arg(out));
    if (shown_.needingALook > 0)
        text = tr("%1 %2", "a sentence, then the one that adds to it")
                   .arg(text, tr("Needing a look (unknown bibs, no bib, a bib read twice): %1.").arg(shown_.needingALook));
    summary_->setText(text);
    updateCountRead();
}

void ResultsWindow::placeBeside(const QWidget& main)
{
    const QRect beside = main.frameGeometry();
    const QScreen* screen = main.screen();
    const QRect room = screen ? screen->availableGeometry() : beside;
    // Narrower, down to what its columns need, where that lets it stand beside the list.
    const int frame = frameGeometry().width() - width();
    const int free = std::max(room.right() - beside.right(), beside.left() - room.left()) - frame;
    if (free < width() && free >= MinimumWidthBeside)
        resize(free, height());
    const QSize size = frameGeometry().size();
    // To the right of the list, else to its left, else as far right as the screen goes.
    int x = beside.right() + 1;
    if (x + size.width() > room.right() + 1)
        x = beside.left() - size.width() >= room.left() ? beside.left() - size.width()
                                                        : std::max(room.left(), room.right() + 1 - size.width());
    const int y = std::clamp(beside.top(), room.top(), std::max(room.top(), room.bottom() + 1 - size.height()));
    move(x, y);
}

void ResultsWindow::showNews(const QString& news)
{
    news_->setText(news);
    news_->setAccessibleName(news);
    news_->setVisible(!news.isEmpty());
}

void ResultsWindow::showSteps(const QString& undo, const QString& redo)
{
    QAction& u = action(Action::Undo);
    u.setEnabled(!undo.isEmpty());
    u.setText(undo.isEmpty() ? tr("Undo") : tr("Undo %1").arg(undo));
    QAction& r = action(Action::Redo);
    r.setEnabled(!redo.isEmpty());
    r.setText(redo.isEmpty() ? tr("Redo") : tr("Redo %1").arg(redo));
}

void ResultsWindow::updateCountRead()
{
    const QTreeWidgetItem* item = table_->currentItem();
    const int status = item ? item->data(0, StatusRole).toInt() : -1;
    action(Action::CountRead)
        .setEnabled(item && item->data(0, RecordRole).isValid()
                    && (status == static_cast<int>(ResultStatus::ReadTwice)
                        || status == static_cast<int>(ResultStatus::NotCounted)));
}

void ResultsWindow::chooseCurrentRead()
{
    const QTreeWidgetItem* item = table_->currentItem();
    if (!item || !action(Action::CountRead).isEnabled())
        return;
    emit readChosen(item->data(0, BibRole).toInt(), item->data(0, RecordRole).toInt());
}
