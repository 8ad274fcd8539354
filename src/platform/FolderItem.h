#pragma once

#include <QString>
#include <QStringList>
#include <vector>

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
  QString name() const;
  FolderItem parent() const;

  // The entry of that name inside this folder; no item when the name cannot name an entry
  // (empty, ".", "..", holding "/" or NUL).
  FolderItem child(const QString& name) const;

  bool exists() const;  // a file or a folder stands there
  // The entry itself stands there: also a link to nothing, which exists() does not see.
  bool entryStands() const;
  bool isFolder() const;

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

  // Puts this item, file or folder, into the folder under newName; never replaces an
  // existing item. Across file systems it copies, verifies the copy, then removes this.
  void moveInto(const FolderItem& folder, const QString& newName) const;
  // Copies this item (a folder with everything in it) into the folder under newName and
  // verifies the copy; a failed copy is removed again. Never replaces an existing item.
  void copyInto(const FolderItem& folder, const QString& newName) const;

  friend bool operator==(const FolderItem& a, const FolderItem& b) { return a.path_ == b.path_; }

 private:
  void requireItem() const;
  QString path_;
};
