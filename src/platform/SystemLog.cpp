#include "platform/SystemLog.h"

#include <syslog.h>

namespace SystemLog {
namespace {
Sink& sink() {
  static Sink s;
  return s;
}
}  // namespace

void write(const QString& line) {
  if (sink()) {
    sink()(line);
    return;
  }
  static const bool opened = [] {
    openlog("Tavelin", LOG_PID, LOG_USER);
    return true;
  }();
  (void)opened;
  syslog(LOG_NOTICE, "%s", line.toUtf8().constData());
}

void setSink(Sink s) { sink() = std::move(s); }

}  // namespace SystemLog
