#pragma once

#include <QByteArray>
#include <optional>

#include "platform/FolderItem.h"

// The user's special folders, read from the environment at each call so a test HOME applies.
namespace UserFolders {

FolderItem home();
FolderItem desktop();
// ~/Library/Application Support on macOS; the generic data folder (~/.local/share) elsewhere.
FolderItem applicationSupport();

// The first of the paths the program's folders lie below (home, and the data home where it is
// set) that is not valid UTF-8 text, as the system holds it: the program would name another
// folder than the user's, beside it.
std::optional<QByteArray> untextualPath();

}  // namespace UserFolders
