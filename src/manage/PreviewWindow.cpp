#include "manage/PreviewWindow.h"

#include "app/App.h"
#include "common/ErrorGuard.h"
#include "manage/ManageControls.h"
#include "store/KM.h"

namespace {

const QString kNameIDCaption = QStringLiteral("Name/ID");
const QString kNameIDLaidOut = QStringLiteral("ID");
const QString kAliasCaption = QStringLiteral("Name/Alias");
const QString kTitleCaption = QStringLiteral("Window Title");

struct CanvasPlace {
  PreviewCanvas* PreviewWindow::*canvas;
  void (PreviewWindow::*paint)(QPainter&);
  int left, top;
  double transparency;
};
// Laid out as the buttons stand in the palette, 12 pixels apart, fading from button 00.
const CanvasPlace kCanvases[] = {
    {&PreviewWindow::cnBut00, &PreviewWindow::cnBut00_Paint, 20, 20, 0},
    {&PreviewWindow::cnBut01, &PreviewWindow::cnBut01_Paint, 96, 20, 50},
    {&PreviewWindow::cnBut02, &PreviewWindow::cnBut02_Paint, 172, 20, 75},
    {&PreviewWindow::cnBut10, &PreviewWindow::cnBut10_Paint, 20, 96, 50},
    {&PreviewWindow::cnBut11, &PreviewWindow::cnBut11_Paint, 96, 96, 75},
    {&PreviewWindow::cnBut12, &PreviewWindow::cnBut12_Paint, 172, 96, 90},
};

}  // namespace

PreviewWindow::PreviewWindow(const QString& windowName, const QString& title)
    : ModalWindow(nullptr), windowName_(windowName) {
  using namespace ManageControls;
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setModal(true);
  setWindowTitle(title);
  setFixedSize(500, 400);
  setFont(windowFont());

  for (const CanvasPlace& place : kCanvases) {
    auto* canvas = new PreviewCanvas(this, place.transparency, [this, paint = place.paint](QPainter& g) {
      (this->*paint)(g);
    });
    canvas->move(place.left, place.top);
    this->*place.canvas = canvas;
  }
  labNmID = caption(this, kNameIDCaption, {20, 190, 80, 20});
  labNameID = plainLabel(this, kNameIDLaidOut, {110, 190, 100, 20});
  labNmAls = caption(this, kAliasCaption, {20, 220, 80, 20});
  labWinTit = caption(this, kTitleCaption, {20, 250, 80, 20});
}

void PreviewWindow::loadPreview() {
  const PalettePreview::Pictures pictures =
      PalettePreview::LoadPreviewPictures(App::current().appSupportFolder, KM::paleName);
  myPict00 = pictures[0];
  myPict01 = pictures[1];
  myPict02 = pictures[2];
  myPict10 = pictures[3];
  myPict11 = pictures[4];
  myPict12 = pictures[5];
}

void PreviewWindow::paintPreview(const char* canvas, QPainter& g, const QImage& picture, const PreviewCanvas* on) {
  guarded(ReportLocation::controlEvent(windowName_, QString::fromLatin1(canvas), QStringLiteral("Paint")),
          [&] { PalettePreview::DrawPreviewPicture(g, picture, on->transparency()); });
}

void PreviewWindow::cnBut00_Paint(QPainter& g) { paintPreview("cnBut00", g, myPict00, cnBut00); }
void PreviewWindow::cnBut01_Paint(QPainter& g) { paintPreview("cnBut01", g, myPict01, cnBut01); }
void PreviewWindow::cnBut02_Paint(QPainter& g) { paintPreview("cnBut02", g, myPict02, cnBut02); }
void PreviewWindow::cnBut10_Paint(QPainter& g) { paintPreview("cnBut10", g, myPict10, cnBut10); }
void PreviewWindow::cnBut11_Paint(QPainter& g) { paintPreview("cnBut11", g, myPict11, cnBut11); }
void PreviewWindow::cnBut12_Paint(QPainter& g) { paintPreview("cnBut12", g, myPict12, cnBut12); }
