#pragma once

#include <QString>

#include <optional>

// The kept lists are written only into a folder that is the user's own and
// that no one else can write in (someone who could would swap the store for
// a link to the user's other files). A folder of the user's own that others
// may write in is closed to them first. Empty when the folder is fit; else
// why it is not, in the system's words.
std::optional<QString> WhyFolderIsNotPrivate(const QString& folder);
