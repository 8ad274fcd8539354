#pragma once

#include <QLabel>
#include <QRect>
#include <QString>
#include <QWidget>

#include "common/ReportLocation.h"
#include "construct/UpDownArrows.h"

// What the two value pickers share: a title, the value and the arrows, laid out once at the
// picker's design size so that a host may widen or narrow it (the title follows, the value
// and the arrows keep their distance to the right edge); and the two events it raises.
class UpDownPicker : public QWidget {
  Q_OBJECT
 public:
  struct Layout {
    QSize size;
    QRect title;
    QRect value;
    QPoint arrows;
  };

  QLabel* labTitle = nullptr;
  QLabel* labValue = nullptr;
  UpDownArrows* udChangeVal = nullptr;

  // Raises Open_Instance; the host calls it once its window's controls exist.
  void Event_Open();
  virtual void udChangeVal_Up() = 0;
  virtual void udChangeVal_Down() = 0;

 signals:
  void Open_Instance();
  void ValueChanged();

 protected:
  UpDownPicker(QWidget* parent, QString className, const Layout& layout);

  // The step of a click: the larger one while Shift is held.
  static qint64 stepNow(qint64 jump, qint64 jumpShift);
  ReportLocation clickLocation(const QString& event) const;

 private:
  QString className_;
};

// A value one step up or down, held at the bound that lies in that direction only.
namespace PickerSteps {
qint64 raised(qint64 value, qint64 step, qint64 upperBound);
qint64 lowered(qint64 value, qint64 step, qint64 lowerBound);
}  // namespace PickerSteps
