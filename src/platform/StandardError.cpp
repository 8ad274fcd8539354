#include "platform/StandardError.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QString>
#include <QtGlobal>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <mutex>

namespace StandardError {
namespace {

// No larger than the smallest PIPE_BUF: a piece that a pipe was ready for is written whole
// without waiting.
constexpr qsizetype kPiece = 256;

// How the stream behind the standard error is written without waiting for it. Its own
// description is never made non-blocking: a shell usually shares it as its input.
enum class Way {
  Direct,   // a regular file takes every write at once
  Private,  // a description of our own, non-blocking, opened on the same file
  Send,     // a socket, sent to without waiting
  Pieces,   // a pipe that could not be opened again: pieces it has room for
  Nothing,  // a terminal that could not be opened again: no write is safe
};

// What the standard error was when the way was chosen: tests, and nothing else, point it
// elsewhere later, and the way follows.
struct Target {
  bool chosen = false;
  dev_t device = 0;
  ino_t inode = 0;
  Way way = Way::Nothing;
  int fd = -1;
};

// Neither is torn down at exit, so Qt's last messages are still written.
std::mutex guard;
Target target;

int reopen() {
  constexpr int flags = O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
#ifdef __linux__
  // Opens a new description of terminals, pipes and FIFOs alike.
  if (const int fd = ::open("/proc/self/fd/2", flags); fd >= 0) return fd;
#endif
  char name[256];
  if (::isatty(STDERR_FILENO) && ::ttyname_r(STDERR_FILENO, name, sizeof name) == 0) return ::open(name, flags);
  return -1;
}

// Chooses anew when the standard error is another file than before.
void follow() {
  struct stat now {};
  const bool known = ::fstat(STDERR_FILENO, &now) == 0;
  if (target.chosen && known && now.st_dev == target.device && now.st_ino == target.inode) return;
  if (target.fd >= 0) ::close(target.fd);
  target = Target{true, now.st_dev, now.st_ino, Way::Nothing, -1};
  if (!known) return;
  if (S_ISREG(now.st_mode)) {
    target.way = Way::Direct;
  } else if (S_ISSOCK(now.st_mode)) {
    target.way = Way::Send;
  } else if ((target.fd = reopen()) >= 0) {
    target.way = Way::Private;
  } else if (S_ISFIFO(now.st_mode)) {
    target.way = Way::Pieces;
  }
}

// One attempt at the next part; how much was taken, 0 when the stream takes no more now.
ssize_t writeSome(const char* bytes, qsizetype size) {
  switch (target.way) {
    case Way::Direct:
      return ::write(STDERR_FILENO, bytes, static_cast<size_t>(size));
    case Way::Private:
      return ::write(target.fd, bytes, static_cast<size_t>(size));
    case Way::Send: {
      int flags = MSG_DONTWAIT;
#ifdef MSG_NOSIGNAL
      flags |= MSG_NOSIGNAL;
#endif
      return ::send(STDERR_FILENO, bytes, static_cast<size_t>(size), flags);
    }
    case Way::Pieces: {
      pollfd ready{STDERR_FILENO, POLLOUT, 0};
      if (::poll(&ready, 1, 0) != 1 || (ready.revents & (POLLERR | POLLHUP | POLLNVAL))) return 0;
      return ::write(STDERR_FILENO, bytes, static_cast<size_t>(std::min(kPiece, size)));
    }
    case Way::Nothing:
      break;
  }
  return 0;
}

void writeQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  write(qFormatLogMessage(type, context, message).toLocal8Bit() + '\n');
}

}  // namespace

void install() {
  for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; ++fd)
    if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) ::open("/dev/null", O_RDWR);
  ::signal(SIGPIPE, SIG_IGN);
  // Started in the background of a terminal set to stop its writers ("stty tostop"), the
  // program would be stopped by its first line there: with the signal ignored the line is written.
  ::signal(SIGTTOU, SIG_IGN);
  {
    const std::lock_guard lock(guard);
    follow();
  }
  qInstallMessageHandler(writeQtMessage);
}

void write(const QByteArray& bytes) {
  const std::lock_guard lock(guard);
  follow();
  for (qsizetype done = 0; done < bytes.size();) {
    const ssize_t n = writeSome(bytes.constData() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    done += n;
  }
}

}  // namespace StandardError
