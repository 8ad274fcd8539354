#include "common/HelpButton.h"

#include <QPainter>

#include "common/Fonts.h"

namespace {

QIcon helpIcon() {
  QPixmap face(38, 38);
  face.fill(Qt::transparent);
  QPainter g(&face);
  g.setRenderHint(QPainter::Antialiasing);
  g.setPen(QPen(QColor(0x79, 0x79, 0x79), 2));
  g.setBrush(Qt::white);
  g.drawEllipse(QRectF(2, 2, 34, 34));
  g.setFont(Fonts::system(24, true));
  g.setPen(QColor(0x42, 0x42, 0x42));
  g.drawText(face.rect(), Qt::AlignCenter, QStringLiteral("?"));
  return QIcon(face);
}

}  // namespace

QPushButton* makeHelpButton(QWidget* parent, const QRect& geometry) {
  auto* button = new QPushButton(parent);
  button->setGeometry(geometry);
  button->setIcon(helpIcon());
  button->setIconSize(QSize(geometry.width() - 6, geometry.height() - 6));
  button->setFocusPolicy(Qt::TabFocus);
  button->setFlat(true);
  return button;
}
