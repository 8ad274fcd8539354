#include "construct/ccDataStrUpDown.h"

#include "common/ErrorGuard.h"
#include "common/RuntimeException.h"
#include "common/TextColour.h"

namespace {
const UpDownPicker::Layout kLayout{{170, 40}, {10, 10, 95, 20}, {110, 9, 30, 22}, {140, 7}};
const QColor kLaidOutValueColour(0xA9, 0xA9, 0xA9);
}  // namespace

ccDataStrUpDown::ccDataStrUpDown(QWidget* parent)
    : UpDownPicker(parent, QStringLiteral("ccDataStrUpDown"), kLayout) {
  labValue->setAlignment(Qt::AlignCenter);
  setTextColour(*labValue, kLaidOutValueColour);
}

void ccDataStrUpDown::udChangeVal_Up() {
  guarded(clickLocation(QStringLiteral("Up")), [&] {
    setTextColour(*labValue, Qt::black);
    moveTo(PickerSteps::lowered(theValueIndex, stepNow(jump, jumpShift), minIndex));
  });
}

void ccDataStrUpDown::udChangeVal_Down() {
  guarded(clickLocation(QStringLiteral("Down")), [&] {
    setTextColour(*labValue, Qt::black);
    moveTo(PickerSteps::raised(theValueIndex, stepNow(jump, jumpShift), maxIndex));
  });
}

void ccDataStrUpDown::moveTo(qint64 index) {
  // Checked before anything moves: a bad index kept would make every later click fail.
  if (index < 0 || index >= aStrChoices.size())
    throw OutOfBoundsException(QStringLiteral("No choice %1 among %2.").arg(index).arg(aStrChoices.size()));
  const qint64 old = theValueIndex;
  theValueIndex = index;
  theValue = aStrChoices.at(index);
  labValue->setText(theValue);
  // Indexes are compared, not texts: two equal entries are still two choices.
  if (theValueIndex != old) emit ValueChanged();
}
