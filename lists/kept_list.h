#pragma once

#include <QDateTime>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

// One record of a kept list: the 32 bytes the unit sent for its number, and
// the operator's mark on its line.
struct KeptRecord {
    int number = 0;
    std::array<std::uint8_t, 32> bytes{};
    int mark = 0;
    bool operator==(const KeptRecord&) const = default;
};

// The rows' order of a list: the record number each of the 256 rows holds.
using KeptOrder = std::array<std::uint8_t, 256>;

// What the store knows of a list besides its records.
struct KeptListSummary {
    std::int64_t id = 0;
    QDateTime downloaded = {};
    int records = 0;
    int marks = 0;
    // The count byte of the last frame filed.
    int reportedCount = 0;
    // The sort chosen last and the time display, as the window's enums number them.
    int sort = 0;
    int display = 0;
    QString exportedTo = {};
    QDateTime exportedAt = {};
    QString printedOn = {};
    QDateTime printedAt = {};
};

struct KeptList {
    KeptListSummary summary;
    KeptOrder order{};
    std::vector<KeptRecord> records;
};

// What changed in a list since it was last written; written as one.
struct KeptListChange {
    std::int64_t list = 0;
    std::vector<KeptRecord> records;
    KeptOrder order{};
    int reportedCount = 0;
    int sort = 0;
    int display = 0;
};
