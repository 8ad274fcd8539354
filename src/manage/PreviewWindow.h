#pragma once

#include <QImage>
#include <QLabel>
#include <QString>

#include "common/ModalSeam.h"
#include "manage/PalettePreview.h"

// The left half that the rename and delete windows share: the preview of six of the current
// palette's buttons in the top-left corner, and below it the palette's Name/ID and the
// captions of its alias and title. A fixed 500 × 400 modal window without a close box. Each
// window has its own controls and pictures; its paint handlers report under its own name.
class PreviewWindow : public ModalWindow {
  Q_OBJECT
 public:
  QImage myPict00, myPict01, myPict02, myPict10, myPict11, myPict12;

  PreviewCanvas* cnBut00 = nullptr;
  PreviewCanvas* cnBut01 = nullptr;
  PreviewCanvas* cnBut02 = nullptr;
  PreviewCanvas* cnBut10 = nullptr;
  PreviewCanvas* cnBut11 = nullptr;
  PreviewCanvas* cnBut12 = nullptr;

  void cnBut00_Paint(QPainter& g);
  void cnBut01_Paint(QPainter& g);
  void cnBut02_Paint(QPainter& g);
  void cnBut10_Paint(QPainter& g);
  void cnBut11_Paint(QPainter& g);
  void cnBut12_Paint(QPainter& g);

  QLabel* labNmID = nullptr;
  QLabel* labNameID = nullptr;
  QLabel* labNmAls = nullptr;
  QLabel* labWinTit = nullptr;

 protected:
  PreviewWindow(const QString& windowName, const QString& title);

  // Fills the six pictures from the current palette's picture folder; raises when the data
  // folder is not known.
  void loadPreview();

 private:
  void paintPreview(const char* canvas, QPainter& g, const QImage& picture, const PreviewCanvas* on);

  QString windowName_;
};
