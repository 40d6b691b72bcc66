#include "app/kept_lists_window.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include "common/output_stamp.h"

#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString When(const QDateTime& t) { return StampMoment(t); }

// Where and when, or a dash for never.
QString WhereAndWhen(const QString& where, const QDateTime& when)
{
    if (where.isEmpty())
        return QStringLiteral("\u2013");
    return KeptListsWindow::tr("%1, %2").arg(where, When(when));
}

} // namespace

KeptListsWindow::KeptListsWindow(QWidget* parent) : QDialog(parent)
{
    setObjectName("KeptLists");
    setWindowTitle(tr("Kept Lists"));
    auto* layout = new QVBoxLayout(this);
    auto* about = new QLabel(tr("The lists of earlier downloads, newest first. The chosen one is shown in the "
                                "main window with its marks, ready to print or export."),
                             this);
    about->setWordWrap(true);
    layout->addWidget(about);

    table_ = new QTreeWidget(this);
    table_->setRootIsDecorated(false);
    table_->setUniformRowHeights(true);
    table_->setAllColumnsShowFocus(true);
    table_->setHeaderLabels({tr("Downloaded"), tr("Records"), tr("Marks"), tr("Exported to"), tr("Printed on")});
    table_->header()->setStretchLastSection(true);
    about->setBuddy(table_);
    layout->addWidget(table_);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* show = buttons->addButton(tr("&Show"), QDialogButtonBox::AcceptRole);
    show->setDefault(true);
    buttons->addButton(QDialogButtonBox::Close);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &KeptListsWindow::chooseCurrent);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(table_, &QTreeWidget::itemActivated, this, &KeptListsWindow::chooseCurrent);
    connect(table_, &QTreeWidget::currentItemChanged, show, [show](QTreeWidgetItem* item) { show->setEnabled(item); });
    resize(640, 360);
}

void KeptListsWindow::showLists(const std::vector<KeptListSummary>& lists, std::int64_t onScreen)
{
    table_->clear();
    for (const KeptListSummary& l : lists) {
        auto* item = new QTreeWidgetItem(table_, {When(l.downloaded), QString::number(l.records), QString::number(l.marks),
                                                  WhereAndWhen(l.exportedTo, l.exportedAt),
                                                  WhereAndWhen(l.printedOn, l.printedAt)});
        item->setData(0, Qt::UserRole, QVariant::fromValue<qlonglong>(l.id));
        item->setTextAlignment(1, Qt::AlignRight);
        item->setTextAlignment(2, Qt::AlignRight);
        if (l.id == onScreen || !table_->currentItem())
            table_->setCurrentItem(item);
    }
    for (int c = 0; c < table_->columnCount() - 1; ++c)
        table_->resizeColumnToContents(c);
    table_->setFocus();
}

void KeptListsWindow::chooseCurrent()
{
    const QTreeWidgetItem* item = table_->currentItem();
    if (!item)
        return;
    accept();
    emit listChosen(item->data(0, Qt::UserRole).toLongLong());
}
