#include "common/Fonts.h"

#include <QApplication>

namespace Fonts {

QFont system(int size, bool bold) {
  QFont font = QApplication::font();
  font.setPixelSize(size);
  font.setBold(bold);
  return font;
}

QFont named(const QString& family, int size, QFont::StyleHint hint) {
  QFont font(family);
  font.setStyleHint(hint);
  font.setPixelSize(size);
  return font;
}

}  // namespace Fonts
