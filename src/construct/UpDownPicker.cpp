#include "construct/UpDownPicker.h"

#include "common/Anchors.h"
#include "common/ErrorGuard.h"
#include "common/TextColour.h"
#include "platform/KeyModifiers.h"

namespace {
const QString kLaidOutTitle = QStringLiteral("Title");
const QString kLaidOutValue = QStringLiteral("value");
const QColor kTitleColour(0x42, 0x42, 0x42);
}  // namespace

UpDownPicker::UpDownPicker(QWidget* parent, QString className, const Layout& layout)
    : QWidget(parent), className_(std::move(className)) {
  setFocusPolicy(Qt::NoFocus);
  resize(layout.size);

  labTitle = new QLabel(kLaidOutTitle, this);
  labTitle->setGeometry(layout.title);
  labTitle->setAlignment(Qt::AlignCenter);
  setTextColour(*labTitle, kTitleColour);

  labValue = new QLabel(kLaidOutValue, this);
  labValue->setGeometry(layout.value);
  // A shortcut can be any character a state file holds; it is shown, never interpreted.
  labValue->setTextFormat(Qt::PlainText);

  udChangeVal = new UpDownArrows(this);
  udChangeVal->move(layout.arrows);

  anchorToEdges(labTitle, Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge);
  anchorToEdges(labValue, Qt::TopEdge | Qt::RightEdge);
  anchorToEdges(udChangeVal, Qt::TopEdge | Qt::RightEdge);

  connect(udChangeVal, &UpDownArrows::Up, this, [this] { udChangeVal_Up(); });
  connect(udChangeVal, &UpDownArrows::Down, this, [this] { udChangeVal_Down(); });
}

void UpDownPicker::Event_Open() {
  guarded(ReportLocation::customControl(className_, QStringLiteral("Open")), [&] { emit Open_Instance(); });
}

qint64 UpDownPicker::stepNow(qint64 jump, qint64 jumpShift) { return KeyModifiers::shiftKey() ? jumpShift : jump; }

ReportLocation UpDownPicker::clickLocation(const QString& event) const {
  return ReportLocation::controlEvent(className_, QStringLiteral("udChangeVal"), event);
}

namespace PickerSteps {

qint64 raised(qint64 value, qint64 step, qint64 upperBound) {
  const qint64 next = value + step;
  return next > upperBound ? upperBound : next;
}

qint64 lowered(qint64 value, qint64 step, qint64 lowerBound) {
  const qint64 next = value - step;
  return next < lowerBound ? lowerBound : next;
}

}  // namespace PickerSteps
