#pragma once

#include "print/print_system.h"

#include <QString>
#include <QStringList>

#include <vector>

class QPagedPaintDevice;

// A report of sections of rows, each column at a millimetre position from
// the left edge of the printable area; every page begins with the title
// and the column headings.
struct PrintedTable {
    struct Section {
        QString heading;
        std::vector<QStringList> rows;
    };
    QString title;
    QStringList headings;
    std::vector<double> columnsMm;
    std::vector<Section> sections;
    // Below the last section: what the report leaves out, if anything.
    QString footnote;
};

// Prints the table as one portrait document on `printer`; a section starts
// a new page rather than leave its heading alone at the bottom of one.
// False, with `failure` saying why, when the printer would not start the
// document or failed during it.
bool PrintTable(QPagedPaintDevice& printer, const PrintedTable& table, PrintFailure* failure = nullptr);
