#include "common/TextColour.h"

#include <QPalette>

void setTextColour(QWidget& control, const QColor& colour) {
  QPalette palette = control.palette();
  for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    palette.setColor(group, QPalette::WindowText, colour);
    palette.setColor(group, QPalette::Text, colour);
  }
  control.setPalette(palette);
}

QColor textColour(const QWidget& control) { return control.palette().color(QPalette::WindowText); }
