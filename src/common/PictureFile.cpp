#include "common/PictureFile.h"

#include <QFileInfo>
#include <QImageReader>
#include <algorithm>
#include <atomic>
#include <thread>

namespace {

bool decodable(const QSize& size) {
  return size.isValid() && static_cast<qint64>(size.width()) * size.height() <= PictureFile::kMaxDecodedPixels;
}

}  // namespace

namespace PictureFile {

std::optional<int> buttonNumber(const QString& fileName) {
  if (fileName.size() < 2) return std::nullopt;
  const QChar tens = fileName.at(0), ones = fileName.at(1);
  const auto digit = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
  if (!digit(tens) || !digit(ones)) return std::nullopt;
  return (tens.unicode() - '0') * 10 + (ones.unicode() - '0');
}

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

std::vector<QImage> readCorners(const QStringList& paths, int clip) {
  std::vector<QImage> pictures(static_cast<size_t>(paths.size()));
  std::atomic<qsizetype> next{0};
  const auto work = [&] {
    for (qsizetype i = next++; i < paths.size(); i = next++) pictures[static_cast<size_t>(i)] = readCorner(paths.at(i), clip);
  };
  // A few threads are enough to hide the file reads; more only cost their start.
  const qsizetype helpers = std::min<qsizetype>(std::min(std::thread::hardware_concurrency(), 4u), paths.size() / 8);
  {
    std::vector<std::jthread> pool;
    for (qsizetype k = 0; k < helpers; ++k) pool.emplace_back(work);
    work();
  }
  return pictures;
}

QImage readWhole(const QString& path) {
  if (!isRegularFile(path)) return {};
  QImageReader reader(path);
  if (!decodable(reader.size())) return {};
  return reader.read();
}

}  // namespace PictureFile
