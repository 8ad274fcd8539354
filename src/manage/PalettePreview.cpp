#include "manage/PalettePreview.h"

#include <QPainter>
#include <algorithm>
#include <utility>
#include <vector>

#include "common/PictureFile.h"
#include "common/StringUtils.h"

namespace {

const QString kPicturesFolder = QStringLiteral("ButtonPictures");

// Where a name's picture goes, or -1 when the name is not one of the six buttons'.
int slotOf(const QString& name) {
  if (name.size() < 2 || !StringUtils::IsPosInteger(name.left(1)) || !StringUtils::IsPosInteger(name.mid(1, 1)))
    return -1;
  const QString key = name.left(2);
  for (size_t k = 0; k < PalettePreview::kKeys.size(); ++k)
    if (key == QLatin1String(PalettePreview::kKeys[k])) return static_cast<int>(k);
  return -1;
}

bool codePointLess(const QString& a, const QString& b) {
  const QList<uint> ua = a.toUcs4(), ub = b.toUcs4();
  return std::lexicographical_compare(ua.begin(), ua.end(), ub.begin(), ub.end());
}

}  // namespace

namespace PalettePreview {

Pictures LoadPreviewPictures(const FolderItem& dataFolder, const QString& paletteName) {
  Pictures pictures;
  const FolderItem pictureFolder = dataFolder.child(kPicturesFolder);
  const FolderItem folder = pictureFolder.isNull() ? FolderItem() : pictureFolder.child(paletteName);
  if (folder.isNull() || !folder.isFolder()) return pictures;

  std::vector<std::pair<QString, int>> shown;
  for (const QString& name : folder.childNames()) {
    if (name.startsWith(QLatin1Char('.'))) continue;
    const int slot = slotOf(name);
    if (slot >= 0) shown.emplace_back(name, slot);
  }
  std::sort(shown.begin(), shown.end(), [](const auto& a, const auto& b) { return codePointLess(a.first, b.first); });
  for (const auto& [name, slot] : shown) {
    const FolderItem file = folder.child(name);
    if (file.isFolder()) continue;
    pictures[static_cast<size_t>(slot)] = PictureFile::readCorner(file.path(), kCanvasSize);
  }
  return pictures;
}

void DrawPreviewPicture(QPainter& g, const QImage& picture, double transparency) {
  g.setOpacity(1.0 - transparency / 100.0);
  if (picture.isNull()) return;
  g.drawImage(QRect(QPoint(0, 0), picture.size()), picture, picture.rect());
}

}  // namespace PalettePreview

PreviewCanvas::PreviewCanvas(QWidget* parent, double transparency, std::function<void(QPainter&)> paint)
    : QWidget(parent), transparency_(transparency), paint_(std::move(paint)) {
  resize(PalettePreview::kCanvasSize, PalettePreview::kCanvasSize);
  setFocusPolicy(Qt::NoFocus);
}

void PreviewCanvas::paintEvent(QPaintEvent*) {
  QPainter g(this);
  if (paint_) paint_(g);
}
