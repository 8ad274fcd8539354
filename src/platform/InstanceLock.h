#pragma once

#include <QString>

// A lock that one process at a time can hold on a file: the system drops it when the
// process ends, however it ends, so no lock outlives a crash. The file itself stays.
class InstanceLock {
 public:
  enum class Result { Taken, HeldElsewhere, Failed };

  InstanceLock() = default;
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // Takes the lock on the file at path (made when missing) without waiting. A lock already
  // held by this object on the same path counts as taken.
  Result take(const QString& path);
  QString path() const { return path_; }

 private:
  int fd_ = -1;
  QString path_;
};
