#pragma once

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>
#include <atomic>
#include <optional>
#include <thread>
#include <vector>

#include "platform/FolderItem.h"

// The one way the program opens picture files. Only regular files are opened (a link to one
// counts): a named pipe or a device among the pictures would block the program for ever. A
// picture is decoded no larger than it is used, so no folder content can exhaust memory.
namespace PictureFile {

// Larger pictures are never decoded: no button picture comes near it.
inline constexpr qint64 kMaxDecodedPixels = 1024 * 1024;

// The button a file in a picture folder belongs to: the number its first two characters
// spell when both are digits 0-9 ("05Face.png" is 5); nothing for any other name.
std::optional<int> buttonNumber(const QString& fileName);

// The button the palette window shows a file on: the number its first two characters spell
// when both are digits 0-9, and also a name that is a single digit ("7" is button 07).
std::optional<int> paletteButtonNumber(const QString& fileName);

// The plain, non-hidden files of a picture folder, sorted by code point, so that which of two
// files for one button comes last never depends on the file system; none for a missing folder.
QStringList sortedFileNames(const FolderItem& folder);

// True when the path names a regular file, following links.
bool isRegularFile(const QString& path);

// The size the file's header declares, read without decoding; invalid for a file that is
// not a regular file or not a picture.
QSize declaredSize(const QString& path);

// The picture's top-left corner of at most clip × clip pixels. Null when the file is not a
// regular file, not a picture, damaged, or larger than kMaxDecodedPixels.
QImage readCorner(const QString& path, int clip);

// readCorner for each path, decoded side by side on a few threads that start at once, so
// the caller can do other work meanwhile; take() helps finish them and answers the pictures
// in path order. Every thread has ended when take() or the destructor returns, so the caller
// sees one ordinary call.
class CornerReader {
 public:
  CornerReader(QStringList paths, int clip);
  ~CornerReader();
  CornerReader(const CornerReader&) = delete;
  CornerReader& operator=(const CornerReader&) = delete;

  std::vector<QImage> take();

 private:
  void work();

  const QStringList paths_;
  const int clip_;
  std::vector<QImage> pictures_;
  std::atomic<qsizetype> next_{0};
  std::vector<std::jthread> pool_;
};

// The whole picture, decoded to its end; null as for readCorner, and for a JPEG or PNG file
// that stops before its end mark, so a truncated file is no picture.
QImage readWhole(const QString& path);

}  // namespace PictureFile
