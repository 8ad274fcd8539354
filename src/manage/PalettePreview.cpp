#include "manage/PalettePreview.h"

#include <QPainter>
#include <algorithm>
#include <optional>
#include <utility>

#include "common/PictureFile.h"

namespace {

const QString kPicturesFolder = QStringLiteral("ButtonPictures");

// Where a name's picture goes, or -1 when the name is not one of the six buttons'.
int slotOf(const QString& name) {
  const std::optional<int> number = PictureFile::buttonNumber(name);
  if (!number) return -1;
  const auto found = std::find(PalettePreview::kButtons.begin(), PalettePreview::kButtons.end(), *number);
  return found == PalettePreview::kButtons.end() ? -1 : static_cast<int>(found - PalettePreview::kButtons.begin());
}

}  // namespace

namespace PalettePreview {

Pictures LoadPreviewPictures(const FolderItem& dataFolder, const QString& paletteName) {
  Pictures pictures;
  const FolderItem pictureFolder = dataFolder.child(kPicturesFolder);
  const FolderItem folder = pictureFolder.isNull() ? FolderItem() : pictureFolder.child(paletteName);
  if (folder.isNull() || !folder.isFolder()) return pictures;
  for (const QString& name : PictureFile::sortedFileNames(folder)) {
    const int slot = slotOf(name);
    if (slot >= 0) pictures[static_cast<size_t>(slot)] = PictureFile::readCorner(folder.child(name).path(), kCanvasSize);
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
