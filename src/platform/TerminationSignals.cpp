#include "platform/TerminationSignals.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>

namespace TerminationSignals {
namespace {
int pipeEnds[2] = {-1, -1};

void onSignal(int) {
  const int saved = errno;
  const char byte = 1;
  // Nothing else is safe here; a full pipe already holds a wake-up.
  [[maybe_unused]] const ssize_t written = ::write(pipeEnds[0], &byte, 1);
  errno = saved;
}
}  // namespace

void install(QObject* context, std::function<void()> action) {
  if (pipeEnds[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, pipeEnds) != 0) return;
  auto* notifier = new QSocketNotifier(pipeEnds[1], QSocketNotifier::Read, context);
  QObject::connect(notifier, &QSocketNotifier::activated, context, [action = std::move(action)] {
    char bytes[16];
    [[maybe_unused]] const ssize_t read = ::read(pipeEnds[1], bytes, sizeof bytes);
    action();
  });
  struct sigaction handler {};
  handler.sa_handler = onSignal;
  sigemptyset(&handler.sa_mask);
  handler.sa_flags = SA_RESTART;
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(signal, &handler, nullptr);
}

}  // namespace TerminationSignals
