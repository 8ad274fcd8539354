#include "common/PictureFile.h"

#include <QFileInfo>
#include <QImageReader>

namespace {

bool decodable(const QSize& size) {
  return size.isValid() && static_cast<qint64>(size.width()) * size.height() <= PictureFile::kMaxDecodedPixels;
}

}  // namespace

namespace PictureFile {

bool isRegularFile(const QString& path) { return !path.isEmpty() && QFileInfo(path).isFile(); }

QSize declaredSize(const QString& path) {
  if (!isRegularFile(path)) return {};
  QImageReader reader(path);
  return reader.canRead() ? reader.size() : QSize();
}

QImage readCorner(const QString& path, int clip) {
  if (!isRegularFile(path)) return {};
  QImageReader reader(path);
  const QSize size = reader.size();
  if (!decodable(size)) return {};
  reader.setClipRect(QRect(0, 0, std::min(clip, size.width()), std::min(clip, size.height())));
  return reader.read();
}

QImage readWhole(const QString& path) {
  if (!isRegularFile(path)) return {};
  QImageReader reader(path);
  if (!decodable(reader.size())) return {};
  return reader.read();
}

}  // namespace PictureFile
