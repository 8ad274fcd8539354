#pragma once

#include <QImage>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>

#include "platform/FolderItem.h"

class QPainter;

// Six buttons of the current palette, faded towards the right and downwards, so a window
// can show what a palette looks like beside its name.
namespace PalettePreview {

inline constexpr int kCanvasSize = 64;
// The buttons shown, in the order of the pictures LoadPreviewPictures returns.
inline constexpr std::array<int, 6> kButtons = {0, 1, 2, 10, 11, 12};

// A null picture where a button has none.
using Pictures = std::array<QImage, 6>;

// The pictures of the six buttons from the palette's picture folder in the data folder.
// A missing folder gives no pictures and is not created; a file that is no picture gives
// none for its button. Entries are walked in code-point order of their names, so of two
// files for one button the last by name decides on every file system.
Pictures LoadPreviewPictures(const FolderItem& dataFolder, const QString& paletteName);

// The picture at its own size from the top-left corner, at a transparency in percent
// (0 opaque, 100 invisible); a null picture draws nothing.
void DrawPreviewPicture(QPainter& g, const QImage& picture, double transparency);

}  // namespace PalettePreview

// One preview button: a 64 × 64 canvas that shows what is beneath it wherever nothing is
// drawn, and hands each paint to its window's handler.
class PreviewCanvas : public QWidget {
  Q_OBJECT
 public:
  PreviewCanvas(QWidget* parent, double transparency, std::function<void(QPainter&)> paint);

  double transparency() const { return transparency_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  double transparency_;
  std::function<void(QPainter&)> paint_;
};
