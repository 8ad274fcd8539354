#include "common/Controls.h"

#include <QApplication>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOptionFrame>

#include "common/TextColour.h"

namespace {

// The application's style, less the frame it draws round a text field that has the focus.
class NoFocusFrameStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
    if (frame && (element == PE_PanelLineEdit || element == PE_FrameLineEdit)) {
      QStyleOptionFrame unfocused(*frame);
      unfocused.state &= ~State_HasFocus;
      QProxyStyle::drawPrimitive(element, &unfocused, painter, widget);
      return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
  }
};

}  // namespace

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

void hideFocusFrame(QLineEdit& field) {
  field.setAttribute(Qt::WA_MacShowFocusRect, false);
  auto* style = new NoFocusFrameStyle(QStyleFactory::create(QApplication::style()->name()));
  style->setParent(&field);
  field.setStyle(style);
}
