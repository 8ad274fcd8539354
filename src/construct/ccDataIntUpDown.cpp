#include "construct/ccDataIntUpDown.h"

#include "common/ErrorGuard.h"
#include "common/TextColour.h"

namespace {
const UpDownPicker::Layout kLayout{{110, 40}, {10, 10, 35, 20}, {55, 10, 20, 20}, {80, 7}};
}  // namespace

ccDataIntUpDown::ccDataIntUpDown(QWidget* parent)
    : UpDownPicker(parent, QStringLiteral("ccDataIntUpDown"), kLayout) {
  labValue->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  setTextColour(*labValue, Qt::black);
}

void ccDataIntUpDown::udChangeVal_Up() {
  guarded(clickLocation(QStringLiteral("Up")),
          [&] { moveTo(PickerSteps::raised(theValue, stepNow(jump, jumpShift), maxValue)); });
}

void ccDataIntUpDown::udChangeVal_Down() {
  guarded(clickLocation(QStringLiteral("Down")),
          [&] { moveTo(PickerSteps::lowered(theValue, stepNow(jump, jumpShift), minValue)); });
}

void ccDataIntUpDown::moveTo(qint64 value) {
  const qint64 old = theValue;
  theValue = value;
  // Written on every click, also one that moved nothing.
  labValue->setText(QString::number(theValue));
  if (theValue != old) emit ValueChanged();
}
