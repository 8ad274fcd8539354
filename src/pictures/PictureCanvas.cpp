#include "pictures/PictureCanvas.h"

#include <QPainter>

PictureCanvas::PictureCanvas(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::NoFocus); }

void PictureCanvas::setBackdrop(const QPixmap& picture) {
  backdrop_ = picture;
  update();
}

void PictureCanvas::paintEvent(QPaintEvent*) {
  if (backdrop_.isNull()) return;
  QPainter g(this);
  g.drawPixmap(0, 0, backdrop_);
}
