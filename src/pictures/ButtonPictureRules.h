#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <vector>

#include "platform/FolderItem.h"

// What makes a file of a palette picture folder a button picture: a name that begins with
// the two-digit button number, and a whole picture of about 64 pixels each way.
namespace ButtonPictureRules {

inline constexpr int kSmallestSide = 51;
inline constexpr int kLargestSide = 69;

// The first two characters of the name: for a button picture, its button number.
QString pictureKey(const QString& name);
bool startsWithTwoDigits(const QString& name);
// A key as the window's key table holds it: keys equal without regard to letter case are
// one key, as texts are equal throughout the program.
QString caseFreeKey(const QString& key);

enum class SizeFault { None, Width, Height };
// The width is tested first: a picture wrong both ways is wrong in width.
SizeFault sizeFault(const QSize& size);

struct Opened {
  bool isPicture = false;
  QSize size;
  QImage image;  // null for a picture too large to decode
};
// The file decoded whole, following a link. A header that declares more pixels than are
// ever decoded still makes a picture of that size, with no image: its size alone refuses it.
Opened open(const FolderItem& file);

// The folder's entries as they are now, hidden ones and folders included, in code-point
// order of their names, so which item a pass meets first never depends on the file system.
std::vector<FolderItem> sortedEntries(const FolderItem& folder);

}  // namespace ButtonPictureRules
