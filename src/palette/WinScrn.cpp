#include "palette/WinScrn.h"

#include "common/ErrorGuard.h"
#include "platform/Screen.h"

namespace WinScrn {

bool IsWithinMainScreenTLBR(qint64 top, qint64 left, qint64 height, qint64 width) {
  return guarded(ReportLocation::moduleMethod("WinScrn", "IsWithinMainScreenTLBR"), [&] {
    // Without a state file the rectangle is all zeros; a screen whose area starts at 0
    // would take it and shrink the window to nothing.
    if (height <= 0 || width <= 0) return false;
    const QRect area = Screen::mainAvailableArea();
    const qint64 areaLeft = area.left(), areaTop = area.top();
    if (left < areaLeft) return false;
    if (top < areaTop) return false;
    if (top + height > areaTop + area.height()) return false;
    if (left + width > areaLeft + area.width()) return false;
    return true;
  });
}

}  // namespace WinScrn
