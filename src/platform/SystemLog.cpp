#include "platform/SystemLog.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <syslog.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <mutex>

namespace SystemLog {
namespace {
Sink& sink() {
  static Sink s;
  return s;
}

#ifdef Q_OS_MACOS
// macOS's syslog(3) writes into the unified log's memory buffers rather than a socket that a
// stalled reader could fill; an empty path keeps to it.
constexpr char kServicePath[] = "";
#else
constexpr char kServicePath[] = "/dev/log";
#endif

// The classic local form that syslog(3) sends: "<PRI>Mmm dd hh:mm:ss Tavelin[pid]: text".
QByteArray message(const QByteArray& text) {
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  char header[64];
  std::snprintf(header, sizeof header, "<%d>%s %2d %02d:%02d:%02d Tavelin[%ld]: ", LOG_USER | LOG_NOTICE,
                kMonths[local.tm_mon], local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                static_cast<long>(::getpid()));
  return header + text;
}

// The log service's datagram socket, connected when first needed and again after the
// service has gone or was not there yet.
class LogSocket {
 public:
  void setPath(const QByteArray& path) {
    disconnect();
    path_ = path;
  }
  const QByteArray& path() const { return path_; }

  // A datagram is taken whole at once or not at all: a service that has stopped reading
  // costs the line, never a wait.
  void send(const QByteArray& datagram) {
    int flags = MSG_DONTWAIT;
#ifdef MSG_NOSIGNAL
    flags |= MSG_NOSIGNAL;
#endif
    // A second attempt reaches a service restarted since the last line.
    for (int attempt = 0; attempt < 2; ++attempt) {
      if (fd_ < 0 && !connect()) return;
      ssize_t sent;
      do sent = ::send(fd_, datagram.constData(), static_cast<size_t>(datagram.size()), flags);
      while (sent < 0 && errno == EINTR);
      if (sent >= 0 || errno == EAGAIN || errno == EWOULDBLOCK || errno == ENOBUFS) return;
      disconnect();
    }
  }

 private:
  bool connect() {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path_.isEmpty() || static_cast<size_t>(path_.size()) >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path_.constData(), static_cast<size_t>(path_.size()));
    fd_ = ::socket(AF_UNIX, SOCK_DGRAM, 0);
    if (fd_ < 0) return false;
    ::fcntl(fd_, F_SETFD, FD_CLOEXEC);
    ::fcntl(fd_, F_SETFL, O_NONBLOCK);
    if (::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) return true;
    disconnect();
    return false;
  }
  void disconnect() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

  QByteArray path_ = kServicePath;
  int fd_ = -1;
};

std::mutex guard;
// Never torn down, so that a line logged as the program ends still has its socket.
LogSocket& logSocket() {
  static auto* const s = new LogSocket;
  return *s;
}
}  // namespace

void write(const QString& line) {
  if (sink()) {
    sink()(line);
    return;
  }
  const std::lock_guard lock(guard);
#ifdef Q_OS_MACOS
  if (logSocket().path().isEmpty()) {
    static const bool opened = [] {
      openlog("Tavelin", LOG_PID, LOG_USER);
      return true;
    }();
    (void)opened;
    syslog(LOG_NOTICE, "%s", line.toUtf8().constData());
    return;
  }
#endif
  logSocket().send(message(line.toUtf8()));
}

void setSink(Sink s) { sink() = std::move(s); }

void setSocketPathForTests(const QString& path) {
  const std::lock_guard lock(guard);
  logSocket().setPath(path.isEmpty() ? QByteArray(kServicePath) : QFile::encodeName(path));
}

}  // namespace SystemLog
