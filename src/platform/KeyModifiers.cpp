#include "platform/KeyModifiers.h"

#include <QGuiApplication>

namespace KeyModifiers {
namespace {
Probe& probe() {
  static Probe p;
  return p;
}
}  // namespace

bool optionKey() {
  if (probe()) return probe()();
  return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::AltModifier);
}

void setOptionKeyProbe(Probe p) { probe() = std::move(p); }

}  // namespace KeyModifiers
