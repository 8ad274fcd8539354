#include "manage/ManageControls.h"

#include <QFontMetrics>

#include "common/Fonts.h"

namespace {
constexpr int kSystemFontSize = 13;
constexpr int kSmallestFontSize = 9;
}  // namespace

namespace ManageControls {

QFont windowFont() { return Fonts::system(kSystemFontSize); }

QLabel* caption(QWidget* parent, const QString& text, const QRect& place, const QColor& colour) {
  QLabel* l = plainLabel(parent, text, place, colour, Qt::AlignRight | Qt::AlignVCenter);
  // The places suit the macOS system font; a wider one (DejaVu on Linux) would lose the
  // caption's first letters, so it is made smaller until the caption fits.
  QFont font = parent->font();
  while (font.pixelSize() > kSmallestFontSize && QFontMetrics(font).horizontalAdvance(text) > place.width())
    font.setPixelSize(font.pixelSize() - 1);
  l->setFont(font);
  return l;
}

QLabel* information(QWidget* parent, const QString& text, const QRect& place) {
  QLabel* l = plainLabel(parent, text, place, kInformationColour, Qt::AlignLeft | Qt::AlignTop);
  l->setWordWrap(true);
  return l;
}

QLineEdit* textField(QWidget* parent, const QRect& place, bool framed) {
  auto* f = new QLineEdit(parent);
  f->setGeometry(place);
  f->setFrame(framed);
  QPalette palette = f->palette();
  palette.setColor(QPalette::Text, Qt::black);
  palette.setColor(QPalette::Base, framed ? QColor(Qt::white) : QColor(Qt::transparent));
  f->setPalette(palette);
  return f;
}

}  // namespace ManageControls
