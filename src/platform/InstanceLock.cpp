#include "platform/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) ::close(fd_);
}

InstanceLock::Result InstanceLock::take(const QString& path) {
  if (fd_ >= 0 && path == path_) return Result::Taken;
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
  // Never through a link, nor on what is no plain file: the lock is made only as the
  // program's own file in the data folder.
  if (fd < 0) return Result::Failed;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return Result::Failed;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const bool held = errno == EWOULDBLOCK;
    ::close(fd);
    return held ? Result::HeldElsewhere : Result::Failed;
  }
  if (fd_ >= 0) ::close(fd_);
  fd_ = fd;
  path_ = path;
  return Result::Taken;
}
