#pragma once

#include <QStringList>
#include <vector>

#include "platform/FolderItem.h"
#include "platform/MoveRecovery.h"

// Deleting the current palette. Its pictures are kept on the Desktop; its slot stays in the
// list as a freed slot for the next new palette, and the first palette becomes current.
namespace PaletteDeletion {

// The first palette and the last live one are never deleted.
bool allowed();

// Clears the palette's picture folder out of the data folder: a folder without any entry
// (hidden ones count) is removed, anything else moved into "DeletedPalettePictures" in the
// Desktop folder, one level deeper in a folder named by the time stamp and the palette's
// name when that name is taken there. Nothing happens when there is no such folder. Raises
// when a step fails. A folder moved keeps its record until the palette list without the
// palette has been saved, so that a stop before then frees the slot at the next start.
void clearPictureFolder(const FolderItem& dataFolder, const FolderItem& desktop, const QString& paletteName);

// Frees a slot as a deletion does; the first palette becomes current when it was.
void freeSlot(qint64 index);

// The deletions that a stop interrupted, once the store is loaded: a palette whose pictures
// are where the deletion sent them is deleted, any other kept. What the user is to be told
// once, and at every start until it is put right.
void finishInterrupted(const std::vector<MoveRecovery::Deletion>& deletions, QStringList& putRight,
                       QStringList& stillLeft);

// Asks first; false when the user declined, and nothing has changed. Otherwise the picture
// folder is cleared away, the slot freed, the first palette made current and shown. A
// failure raises before the store changes, so the palette stays current and whole.
bool confirmAndDelete();

}  // namespace PaletteDeletion
