#include "pictures/ButtonPictureRules.h"

#include <QFileInfo>
#include <algorithm>

#include "common/PictureFile.h"
#include "common/StringUtils.h"
#include "common/TextCleanup.h"

namespace {

bool sideFits(int side) {
  return side >= ButtonPictureRules::kSmallestSide && side <= ButtonPictureRules::kLargestSide;
}

}  // namespace

namespace ButtonPictureRules {

QString pictureKey(const QString& name) { return TextCleanup::leftCodePoints(name, 2); }

bool startsWithTwoDigits(const QString& name) { return PictureFile::buttonNumber(name).has_value(); }

QString caseFreeKey(const QString& key) { return key.toCaseFolded(); }

SizeFault sizeFault(const QSize& size) {
  if (!sideFits(size.width())) return SizeFault::Width;
  if (!sideFits(size.height())) return SizeFault::Height;
  return SizeFault::None;
}

Opened open(const FolderItem& file) {
  const QString path = file.path();
  const QSize declared = PictureFile::declaredSize(path);
  if (declared.isValid() && static_cast<qint64>(declared.width()) * declared.height() > PictureFile::kMaxDecodedPixels)
    return {true, declared, {}};
  QImage image = PictureFile::readWhole(path);
  if (image.isNull()) return {};
  const QSize size = image.size();
  return {true, size, std::move(image)};
}

std::vector<FolderItem> sortedEntries(const FolderItem& folder) {
  QStringList names = folder.childNames();
  std::sort(names.begin(), names.end(), StringUtils::lessByCodePoint);
  std::vector<FolderItem> entries;
  for (const QString& name : names) {
    const FolderItem entry = folder.child(name);
    if (!entry.isNull()) entries.push_back(entry);
  }
  return entries;
}

}  // namespace ButtonPictureRules
