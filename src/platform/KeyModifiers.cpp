#include "platform/KeyModifiers.h"

#include <QGuiApplication>

namespace KeyModifiers {
namespace {
Probe& probe() {
  static Probe p;
  return p;
}
}  // namespace

Qt::KeyboardModifiers held() {
  if (probe()) return probe()();
  return QGuiApplication::queryKeyboardModifiers();
}

void setProbe(Probe p) { probe() = std::move(p); }

}  // namespace KeyModifiers
