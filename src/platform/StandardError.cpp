#include "platform/StandardError.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <QString>
#include <QtGlobal>
#include <algorithm>
#include <cerrno>
#include <csignal>

namespace StandardError {
namespace {

// No larger than the smallest PIPE_BUF, nor than what a terminal takes once it reports
// room: a piece that the stream was ready for is written without waiting.
constexpr qsizetype kPiece = 256;

void writeQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  write(qFormatLogMessage(type, context, message).toLocal8Bit() + '\n');
}

}  // namespace

void install() {
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd)
    if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) ::open("/dev/null", O_RDWR);
  ::signal(SIGPIPE, SIG_IGN);
  qInstallMessageHandler(writeQtMessage);
}

void write(const QByteArray& bytes) {
  for (qsizetype done = 0; done < bytes.size();) {
    pollfd ready{STDERR_FILENO, POLLOUT, 0};
    if (::poll(&ready, 1, 0) != 1 || (ready.revents & (POLLERR | POLLHUP | POLLNVAL))) return;
    const qsizetype piece = std::min(kPiece, bytes.size() - done);
    const ssize_t n = ::write(STDERR_FILENO, bytes.constData() + done, static_cast<size_t>(piece));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    done += n;
  }
}

}  // namespace StandardError
