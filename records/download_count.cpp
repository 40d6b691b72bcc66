#include "records/download_count.h"

#include <algorithm>
#include <array>

DownloadCount CountDownload(const RecordTableState& store)
{
    // Rows move in a sort; the record a row holds is its sequence number.
    std::array<bool, RecordTableState::Rows> present{};
    for (int row = 0; row < RecordTableState::Rows; ++row) {
        const int record = store.RecordTable[static_cast<std::size_t>(row)][RecordField::Sequence];
        if (record > 0 && record < RecordTableState::Rows && !store.rowIsEmpty(row))
            present[static_cast<std::size_t>(record)] = true;
    }
    DownloadCount count;
    count.filed = static_cast<int>(std::count(present.begin() + 1, present.end(), true));
    count.expected = std::max<int>(store.ReportedRecordCount, store.RecordCount);
    for (int n = 1; n <= count.expected && n < RecordTableState::Rows; ++n)
        if (!present[static_cast<std::size_t>(n)])
            count.missing.push_back(n);
    return count;
}

std::string NumberRanges(const std::vector<int>& numbers, std::size_t maxRanges, int* notWritten)
{
    std::string text;
    std::size_t ranges = 0;
    std::size_t i = 0;
    for (; i < numbers.size() && ranges < maxRanges; ++ranges) {
        std::size_t end = i;
        while (end + 1 < numbers.size() && numbers[end + 1] == numbers[end] + 1)
            ++end;
        if (!text.empty())
            text += ", ";
        text += std::to_string(numbers[i]);
        if (end > i)
            text += (end == i + 1 ? ", " : "-") + std::to_string(numbers[end]);
        i = end + 1;
    }
    if (notWritten)
        *notWritten = static_cast<int>(numbers.size() - i);
    return text;
}
