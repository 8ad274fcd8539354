#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>

#include "platform/FolderItem.h"

// The file operations the whole program shares. None returns an error code: expected
// problems are shown to the user, runtime errors go to the exception report, and callers
// that need the outcome look at the file system afterwards.
namespace FileTools {

// --- Text files and folder listing ---

// True when the name ends in an extension of two to four characters. A name longer than
// 255 characters, or holding "/" or a line feed, is answered False after a message box.
bool rbHasExtension(const QString& name);

// The whole content of a text file (UTF-8, unchanged); the empty text when there is none,
// and after the report when it cannot be read or is not valid UTF-8.
QString rsStringFile(const FolderItem& file);

// Writes the content into the folder's file of that name (".txt" added when the name has
// no extension), replacing it atomically. A name holding "/" or a line feed writes nothing
// and is told twice: by rbHasExtension, then with a beep as a file that cannot be created.
void StringToFileItem(const QString& content, const QString& fileName, const FolderItem& folder);

// Replaces the file with the content, atomically; raises IOException when it cannot, the
// file then as it was. Only a regular file (or a link to one) is replaced. `recorded` keeps a
// record of the save, so that the next start removes what a stop half way left of it.
void writeWholeFile(const FolderItem& file, const QString& content, bool recorded = false);

// The folder of that name inside the application data folder, created when missing.
FolderItem CreateFolderInAppSupport(const QString& folderName);

// Appends the names of the folder's plain, non-hidden files to the list, unsorted.
void FolderFilesToArray(const FolderItem& folder, QStringList& names);

// Key and value pairs, in the order they are written.
using Dictionary = QList<QPair<QVariant, QVariant>>;
// Writes one "key␟value" line per entry (line ends in values become "␤"), the same name
// rules and atomic write as StringToFileItem.
void DictionaryToFileItem(const Dictionary& dictionary, const QString& fileName,
                          const FolderItem& folder);

// --- Moving and renaming ---

// Creates every missing folder of the path below the home folder; a path that does not
// lie in the home folder is taken relative to it.
void CreateAllFoldersInPath(const QString& path);

// Creates the folder and every missing folder above it, wherever it lies: in the home
// folder through CreateAllFoldersInPath, elsewhere (a Desktop set outside home) at its own
// path. Nothing tells whether it succeeded.
void CreateAllFoldersOf(const FolderItem& folder);

// Moves the item into the destination; when its name is taken there (by any entry, a link
// to nothing included, also one that appears meanwhile) it arrives as "n_" + name, n the
// first number free in both the destination and the source folder, the name shortened
// before its extension where the file system takes no longer one. The move completes or
// changes nothing, also across file systems.
void MoveRenameIfNecessary(const FolderItem& item, const FolderItem& destination);

// Gives the parent's item presentName the name futureName, after checking that the parent
// and the item exist and futureName is usable and free; refusals shown when asked.
void RenameFolder(const FolderItem& parent, const QString& presentName, const QString& futureName,
                  bool showMessages);

}  // namespace FileTools
