#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// A start list as registration sites and spreadsheets write it: CSV or
// tab-separated text, read into rows of fields. The encoding and the
// separator are found from the file itself.
struct TextTable {
    // "UTF-8", "UTF-16LE", "UTF-16BE" or "Windows-1252".
    QString encoding;
    QChar separator;
    QStringList header;
    std::vector<QStringList> rows;
    // The line of the file each row starts on, from 1, for the operator to
    // find a row the import names.
    std::vector<int> lineOfRow;
};

// The text of a file: UTF-8 with or without a byte-order mark, UTF-16 with
// one, else Windows-1252. Sets `encoding` to the one found.
QString DecodeStartList(const QByteArray& bytes, QString* encoding);

// The file read as a table: comma, semicolon or tab, whichever the header
// line holds most of outside quotes; quoted fields may hold separators,
// doubled quotes and line breaks; blank lines are skipped. Empty when the
// file holds no header and row to read.
std::optional<TextTable> ReadTextTable(const QByteArray& bytes);
