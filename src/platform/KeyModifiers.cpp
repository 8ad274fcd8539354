#include "platform/KeyModifiers.h"

#include <QGuiApplication>

namespace KeyModifiers {
namespace {
Probe& probe() {
  static Probe p;
  return p;
}

#ifdef Q_OS_MACOS
constexpr bool kMac = true;
#else
constexpr bool kMac = false;
#endif
std::optional<bool>& macOverride() {
  static std::optional<bool> mac;
  return mac;
}
bool mac() { return macOverride().value_or(kMac); }
}  // namespace

Qt::KeyboardModifiers held() {
  if (probe()) return probe()();
  return QGuiApplication::queryKeyboardModifiers();
}

Qt::KeyboardModifier controlModifier() { return mac() ? Qt::MetaModifier : Qt::ControlModifier; }

bool isClick(Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
  if (button == Qt::LeftButton) return true;
  return mac() && button == Qt::RightButton && modifiers.testFlag(Qt::MetaModifier);
}

void setProbe(Probe p) { probe() = std::move(p); }
void setMacMapping(std::optional<bool> m) { macOverride() = m; }

bool isModifierKey(int key) {
  switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
      return true;
    default:
      return false;
  }
}

}  // namespace KeyModifiers
