#pragma once

#include "lists/kept_list.h"

#include <QDialog>

#include <vector>

class QTreeWidget;

// The lists kept from earlier downloads, newest first: when each was
// downloaded, its records and marks, where and when it was exported and
// printed. The one chosen is shown in the main window.
class KeptListsWindow : public QDialog {
    Q_OBJECT
public:
    explicit KeptListsWindow(QWidget* parent);

    // Shows these lists, the list on screen chosen where it is among them.
    void showLists(const std::vector<KeptListSummary>& lists, std::int64_t onScreen);
    QTreeWidget& table() const { return *table_; }

signals:
    void listChosen(std::int64_t list);

private:
    void chooseCurrent();

    QTreeWidget* table_ = nullptr;
};
