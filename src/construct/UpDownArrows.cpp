#include "construct/UpDownArrows.h"

namespace {

QToolButton* arrow(QWidget* parent, Qt::ArrowType type, int top, int height) {
  auto* button = new QToolButton(parent);
  button->setArrowType(type);
  button->setFocusPolicy(Qt::NoFocus);
  // Held down, an arrow steps on, as a spin box's arrows do.
  button->setAutoRepeat(true);
  button->setGeometry(0, top, UpDownArrows::kWidth, height);
  return button;
}

}  // namespace

UpDownArrows::UpDownArrows(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::NoFocus);
  resize(kWidth, kHeight);
  const int upperHeight = kHeight / 2 + 1;
  upArrow = arrow(this, Qt::UpArrow, 0, upperHeight);
  downArrow = arrow(this, Qt::DownArrow, upperHeight, kHeight - upperHeight);
  connect(upArrow, &QToolButton::clicked, this, &UpDownArrows::Up);
  connect(downArrow, &QToolButton::clicked, this, &UpDownArrows::Down);
}
