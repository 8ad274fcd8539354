#pragma once

#include "construct/UpDownPicker.h"

// Steps an integer between two bounds; the up arrow applies only maxValue, the down arrow
// only minValue, so a value the host left outside comes back one step per click.
class ccDataIntUpDown : public UpDownPicker {
  Q_OBJECT
 public:
  explicit ccDataIntUpDown(QWidget* parent);

  // Setting these raises nothing and leaves labValue alone.
  qint64 theValue = 0;
  qint64 jump = 0;
  qint64 jumpShift = 0;
  qint64 maxValue = 0;
  qint64 minValue = 0;

  void udChangeVal_Up() override;
  void udChangeVal_Down() override;

 private:
  void moveTo(qint64 value);
};
