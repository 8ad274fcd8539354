#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <vector>

#include "platform/EntryMove.h"

// A location in the file system, file or folder, existing or not. A default-constructed
// item is "no item": every operation on it but isNull() raises MissingObjectException.
// Symbolic links stand in for aliases. An item is the directory entry itself: look-ups
// through it (exists, isFolder, children, reading) follow a link, while remove, rename,
// move and copy act on the link and never on what it points to, so nothing outside the
// program's folders is touched through one.
class FolderItem {
 public:
  FolderItem() = default;
  explicit FolderItem(const QString& path);

  bool isNull() const { return path_.isEmpty(); }
  QString path() const;  // the full native path
  std::filesystem::path fsPath() const;  // the same, as the system's bytes
  QString name() const;
  FolderItem parent() const;

  // The entry of that name inside this folder; no item when the name cannot name an entry
  // (empty, ".", "..", holding "/" or NUL).
  FolderItem child(const QString& name) const;

  bool exists() const;  // a file or a folder stands there
  // The entry itself stands there: also a link to nothing, which exists() does not see.
  bool entryStands() const;
  bool isFolder() const;
  // The longest entry name, in bytes, that the file system of this folder takes.
  qsizetype longestName() const;

  // Each raises IOException when the file system refuses.
  void createFolder() const;
  // Creates this folder and any missing parents; nothing when an item already stands here.
  void createFolders() const;
  void remove() const;  // a file, or an empty folder
  void setName(const QString& newName) const;

  // Entries of this folder (not "." and ".."), hidden ones included, in listing order.
  std::vector<FolderItem> children() const;
  // The entries' own names (a symbolic link's name, not its target's), in listing order.
  QStringList childNames() const;

  // Puts this item, file or folder (a link as the link), into the folder under newName,
  // never replacing an entry that stands there, a link to nothing included, also one that
  // appears meanwhile. Across file systems the item is put aside in its own folder first,
  // then copied, verified and removed: the move completes or changes nothing. A moved link
  // leads where it led. Raises IOException for any other failure.
  using MoveResult = EntryMove::Result;
  MoveResult tryMoveInto(const FolderItem& folder, const QString& newName) const;
  // As tryMoveInto, and raises also when the name is taken or too long.
  void moveInto(const FolderItem& folder, const QString& newName) const;
  // Copies this item (a folder with everything in it) into the folder under newName and
  // verifies the copy; a failed copy is removed again. Never replaces an existing item.
  void copyInto(const FolderItem& folder, const QString& newName) const;

  // The names of this folder's entries that are not valid UTF-8 text, as the system holds
  // them: no item can name such an entry.
  QList<QByteArray> untextualChildNames() const;
  // Whether a name or path as the system holds it survives being read as text unchanged.
  static bool isText(const QByteArray& raw);
  // A name as the system holds it, shown as text: bytes that are not UTF-8 as "\xFF".
  static QString shownName(const QByteArray& rawName);

  friend bool operator==(const FolderItem& a, const FolderItem& b) { return a.path_ == b.path_; }

 private:
  void requireItem() const;
  QString path_;
};
