#include "lists/private_folder.h"

#include <QFileInfo>

// The user's local application data folder is the user's own by its access
// list, which Windows gives it when the profile is made.
std::optional<QString> WhyFolderIsNotPrivate(const QString& folder)
{
    if (!QFileInfo(folder).isDir())
        return QStringLiteral("not a folder");
    return std::nullopt;
}
