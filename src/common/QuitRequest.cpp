#include "common/QuitRequest.h"

#include <QApplication>

namespace QuitRequest {
namespace {
quint64 asked = 0;
}

void closeAllWindows() {
  ++asked;
  QApplication::closeAllWindows();
}

Watch::Watch() : start_(asked) {}

bool Watch::quitAsked() const { return asked != start_; }

}  // namespace QuitRequest
