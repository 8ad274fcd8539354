#include "platform/Screen.h"

#include <QGuiApplication>
#include <QScreen>

namespace Screen {
namespace {
std::optional<QRect>& override() {
  static std::optional<QRect> area;
  return area;
}
}  // namespace

QRect mainAvailableArea() {
  if (override()) return *override();
  // Qt lists the primary screen first, so it is screen 0.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) return screen->availableGeometry();
  return {};
}

void setMainAvailableArea(std::optional<QRect> area) { override() = area; }

}  // namespace Screen
