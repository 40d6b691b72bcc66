#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

// A spreadsheet workbook (.xlsx) with typed cells: numbers as numbers, times
// as durations or times of day, text as text (never a formula), so that it
// opens right in any spreadsheet and any locale. Written with libxlsxwriter
// into a folder of its own, whose file is then read back whole.
class Workbook {
public:
    Workbook();
    ~Workbook();
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    // A sheet, the one later cells go to; its first row is a header, which
    // stays in view as the sheet scrolls.
    void addSheet(const QString& name);
    void header(int column, const QString& text);
    void text(int row, int column, const QString& text);
    void number(int row, int column, double value);
    // Shown with `decimals` places; a spreadsheet still has the value itself.
    void decimal(int row, int column, double value, int decimals);
    // An elapsed time, shown [h]:mm:ss.00.
    void duration(int row, int column, std::int64_t milliseconds);
    // A clock time, shown hh:mm:ss.000.
    void timeOfDay(int row, int column, std::int64_t millisecondsSinceMidnight);
    void columnWidth(int column, double characters);

    // The file's bytes; none, with libxlsxwriter's words in `why`, when it
    // could not be made.
    std::optional<QByteArray> bytes(QString* why);

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
};
