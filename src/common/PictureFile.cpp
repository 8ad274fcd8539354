#include "common/PictureFile.h"

#include <QFileInfo>
#include <QImageReader>
#include <algorithm>

#include "common/FileTools.h"
#include "common/PictureStreamEnd.h"
#include "common/StringUtils.h"

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

std::optional<int> paletteButtonNumber(const QString& fileName) {
  if (fileName.size() == 1 && StringUtils::IsPosInteger(fileName)) return fileName.toInt();
  return buttonNumber(fileName);
}

QStringList sortedFileNames(const FolderItem& folder) {
  QStringList names;
  FileTools::FolderFilesToArray(folder, names);
  std::sort(names.begin(), names.end(), StringUtils::lessByCodePoint);
  return names;
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

CornerReader::CornerReader(QStringList paths, int clip)
    : paths_(std::move(paths)), clip_(clip), pictures_(static_cast<size_t>(paths_.size())) {
  // A few threads are enough to hide the file reads; more only cost their start.
  const qsizetype helpers =
      std::min<qsizetype>(std::min(std::thread::hardware_concurrency(), 4u), (paths_.size() + 7) / 8);
  for (qsizetype k = 0; k < helpers; ++k) pool_.emplace_back([this] { work(); });
}

CornerReader::~CornerReader() { pool_.clear(); }

void CornerReader::work() {
  for (qsizetype i = next_++; i < paths_.size(); i = next_++)
    pictures_[static_cast<size_t>(i)] = readCorner(paths_.at(i), clip_);
}

std::vector<QImage> CornerReader::take() {
  work();
  pool_.clear();  // joins
  return std::move(pictures_);
}

QImage readWhole(const QString& path) {
  if (!isRegularFile(path)) return {};
  QImageReader reader(path);
  if (!decodable(reader.size())) return {};
  const QByteArray format = reader.format();
  QImage image = reader.read();
  if (image.isNull() || !PictureStreamEnd::complete(path, format)) return {};
  return image;
}

}  // namespace PictureFile
