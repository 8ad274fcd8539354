#pragma once

#include <QByteArray>
#include <optional>

#include "platform/FolderItem.h"

// The user's special folders, read from the environment at each call so a test HOME applies.
namespace UserFolders {

FolderItem home();
// Raises IOException where the user's folder settings name the Desktop by a path that is not
// valid UTF-8 text: the item would name another folder, made beside the real one.
FolderItem desktop();
// ~/Library/Application Support on macOS; the generic data folder (~/.local/share) elsewhere.
FolderItem applicationSupport();

// The first of the paths the program's folders lie below (home, and the data home where it is
// set) that is not valid UTF-8 text, as the system holds it: the program would name another
// folder than the user's, beside it.
std::optional<QByteArray> untextualPath();
// The folder of the user's folder settings (XDG_CONFIG_HOME), where it is set and not valid
// UTF-8 text: the Desktop set there would not be found, and another one made.
std::optional<QByteArray> untextualSettingsPath();

}  // namespace UserFolders
