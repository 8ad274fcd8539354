#include "common/Controls.h"

#include "common/TextColour.h"

QLabel* plainLabel(QWidget* parent, const QString& text, const QRect& place, const QColor& colour,
                   Qt::Alignment alignment) {
  auto* label = new QLabel(parent);
  label->setTextFormat(Qt::PlainText);
  label->setText(text);
  label->setGeometry(place);
  if (!(alignment & Qt::AlignVertical_Mask)) alignment |= Qt::AlignVCenter;
  label->setAlignment(alignment);
  label->setTextInteractionFlags(Qt::NoTextInteraction);
  setTextColour(*label, colour);
  return label;
}

QPushButton* pushButton(QWidget* parent, const QString& text, const QRect& place) {
  auto* button = new QPushButton(text, parent);
  button->setGeometry(place);
  return button;
}
