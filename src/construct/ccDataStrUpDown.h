#pragma once

#include <QStringList>

#include "construct/UpDownPicker.h"

// Steps through a list of texts. Up moves toward entry 0 and applies only minIndex, Down
// toward the end and applies only maxIndex. The host keeps every reachable index within
// aStrChoices; a click that would leave it is reported and moves nothing.
class ccDataStrUpDown : public UpDownPicker {
  Q_OBJECT
 public:
  explicit ccDataStrUpDown(QWidget* parent);

  // Setting these raises nothing and leaves labValue alone.
  QString theValue;
  qint64 jump = 0;
  qint64 jumpShift = 0;
  qint64 maxIndex = 0;
  qint64 minIndex = 0;
  QStringList aStrChoices;
  qint64 theValueIndex = 0;

  void udChangeVal_Up() override;
  void udChangeVal_Down() override;

 private:
  void moveTo(qint64 index);
};
