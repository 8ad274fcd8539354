#pragma once

#include "platform/FolderItem.h"

// The user's special folders, read from the environment at each call so a test HOME applies.
namespace UserFolders {

FolderItem home();
FolderItem desktop();
// ~/Library/Application Support on macOS; the generic data folder (~/.local/share) elsewhere.
FolderItem applicationSupport();

}  // namespace UserFolders
