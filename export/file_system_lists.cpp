#include "export/file_system_lists.h"

#include <algorithm>

std::vector<ListedFile> PlainFilesIn(const QString& folder)
{
    std::vector<ListedFile> files = PlainFilesAsListed(folder);
    std::sort(files.begin(), files.end(), [](const ListedFile& a, const ListedFile& b) {
        const int c = a.shown.compare(b.shown, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a.bytes < b.bytes;
    });
    return files;
}
