#include "common/RtrnBoolean.h"

#include "common/ErrorGuard.h"

namespace RtrnBoolean {

bool rbDoesStringStartWith(const QString& text, const QString& prefix) {
  return guarded(ReportLocation::moduleMethod("RtrnBoolean", "rbDoesStringStartWith"),
                 [&] { return text.startsWith(prefix, Qt::CaseSensitive); });
}

}  // namespace RtrnBoolean
