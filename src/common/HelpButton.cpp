#include "common/HelpButton.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>

#include "common/Fonts.h"

namespace {

const QColor kRim(0x79, 0x79, 0x79);

// The circle's rim is grey, or in the highlight colour while Tab has put the focus on the
// button: a flat button gets no focus frame from the style.
QPixmap face(const QColor& rim) {
  QPixmap face(38, 38);
  face.fill(Qt::transparent);
  QPainter g(&face);
  g.setRenderHint(QPainter::Antialiasing);
  g.setPen(QPen(rim, rim == kRim ? 2 : 4));
  g.setBrush(Qt::white);
  g.drawEllipse(QRectF(2, 2, 34, 34));
  g.setFont(Fonts::system(24, true));
  g.setPen(QColor(0x42, 0x42, 0x42));
  g.drawText(face.rect(), Qt::AlignCenter, QStringLiteral("?"));
  return face;
}

QIcon helpIcon() {
  QIcon icon(face(kRim));
  // The style shows a focused button's icon in its Active mode.
  icon.addPixmap(face(QGuiApplication::palette().color(QPalette::Highlight)), QIcon::Active);
  return icon;
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
