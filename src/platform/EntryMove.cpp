#include "platform/EntryMove.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "common/RuntimeException.h"
#include "platform/FolderItem.h"

namespace EntryMove {
namespace {

Fault& faultHook() {
  static Fault f;
  return f;
}

int fault(Step step, const fs::path& path, const fs::path& to = {}) {
  return faultHook() ? faultHook()(step, path, to) : 0;
}

QString shown(const fs::path& p) { return FolderItem::shownName(QByteArray::fromStdString(p.native())); }
QString reason(int error) { return QString::fromStdString(std::generic_category().message(error)); }

[[noreturn]] void fail(const QString& message) { throw IOException(message); }

bool lstatOk(const fs::path& p, struct stat& st) { return ::lstat(p.c_str(), &st) == 0; }

struct stat statOf(const fs::path& p) {
  struct stat st {};
  if (!lstatOk(p, st)) fail(QStringLiteral("%1 does not exist: %2").arg(shown(p), reason(errno)));
  return st;
}

std::array<timespec, 2> timesOf(const struct stat& st) {
#ifdef __APPLE__
  return {st.st_atimespec, st.st_mtimespec};
#else
  return {st.st_atim, st.st_mtim};
#endif
}

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// Flushes a folder, so that the names just made in it outlast a power cut.
void syncFolder(const fs::path& folder) {
  const Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() >= 0) ::fsync(fd.get());
}

std::vector<fs::path> entriesOf(const fs::path& folder) {
  std::error_code ec;
  std::vector<fs::path> out;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) out.push_back(it->path());
  if (ec) fail(QStringLiteral("Could not list %1: %2").arg(shown(folder), QString::fromStdString(ec.message())));
  return out;
}

fs::path readLink(const fs::path& link) {
  std::error_code ec;
  fs::path target = fs::read_symlink(link, ec);
  if (ec) fail(QStringLiteral("Could not read the link %1: %2").arg(shown(link), QString::fromStdString(ec.message())));
  return target;
}

// Holds the name first with an entry of our own, which cannot replace anything, then renames
// over it: for file systems without a rename that refuses an existing name.
int renameOverPlaceholder(const fs::path& from, const fs::path& to) {
  struct stat st {};
  if (!lstatOk(from, st)) return errno;
  const bool folder = S_ISDIR(st.st_mode);
  if (!folder) {
    if (::linkat(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), 0) == 0) {
      if (::unlink(from.c_str()) == 0) return 0;
      const int e = errno;
      ::unlink(to.c_str());
      return e;
    }
    if (errno == EEXIST || errno == EXDEV || errno == ENAMETOOLONG || errno == ENOENT) return errno;
    const int fd = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return errno;
    ::close(fd);
  } else if (::mkdir(to.c_str(), 0700) != 0) {
    return errno;
  }
  if (::rename(from.c_str(), to.c_str()) == 0) return 0;
  const int e = errno;
  if (folder) ::rmdir(to.c_str());
  else ::unlink(to.c_str());
  return e;
}

// rename(2) that never replaces an entry; 0 or the errno.
int renameNoReplace(const fs::path& from, const fs::path& to) {
  if (const int e = fault(Step::Rename, from, to)) return e;
#if defined(__linux__)
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return errno;
#elif defined(__APPLE__)
  if (::renamex_np(from.c_str(), to.c_str(), RENAME_EXCL) == 0) return 0;
  if (errno != ENOTSUP && errno != EINVAL) return errno;
#endif
  return renameOverPlaceholder(from, to);
}

int removeEntry(const fs::path& p, bool folder) {
  if (const int e = fault(Step::Remove, p)) return e;
  return (folder ? ::rmdir(p.c_str()) : ::unlink(p.c_str())) == 0 ? 0 : errno;
}

// Removes the entry and everything below it, stopping at the first entry that stays. A copy
// of the program's own is cleared even where it copied a read-only folder.
void removeTree(const fs::path& p, bool ownCopy) {
  const struct stat st = statOf(p);
  const bool folder = S_ISDIR(st.st_mode);
  if (folder) {
    if (ownCopy) ::chmod(p.c_str(), S_IRWXU);
    for (const fs::path& child : entriesOf(p)) removeTree(child, ownCopy);
  }
  if (const int e = removeEntry(p, folder)) fail(QStringLiteral("Could not remove %1: %2").arg(shown(p), reason(e)));
}

// Writes all of the bytes, or answers the errno.
int writeAll(int fd, const char* bytes, ssize_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, bytes, static_cast<size_t>(size));
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes += n;
    size -= n;
  }
  return 0;
}

// A regular file's bytes, mode and times, flushed to the disk.
int copyFile(const fs::path& from, const fs::path& to, const struct stat& st, bool& created) {
  const Descriptor in(::open(from.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  if (in.get() < 0) fail(QStringLiteral("Could not read %1: %2").arg(shown(from), reason(errno)));
  const Descriptor out(::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, S_IRUSR | S_IWUSR));
  if (out.get() < 0) return errno;
  created = true;
  const auto broken = [&](int e) { fail(QStringLiteral("Could not copy %1: %2").arg(shown(from), reason(e))); };
  std::array<char, 1 << 16> buffer{};
  for (;;) {
    const ssize_t n = ::read(in.get(), buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) broken(errno);
    if (n == 0) break;
    if (const int e = writeAll(out.get(), buffer.data(), n)) broken(e);
  }
  const auto times = timesOf(st);
  if (::fchmod(out.get(), st.st_mode & 07777) != 0 || ::futimens(out.get(), times.data()) != 0 ||
      ::fsync(out.get()) != 0)
    broken(errno);
  return 0;
}

// Makes `to` a copy of `from`: 0, or the errno of making `to` itself, with nothing made. A
// failure below `to` raises; `created` tells whether `to` was made.
int copyEntry(const fs::path& from, const fs::path& to, bool& created) {
  const struct stat st = statOf(from);
  if (S_ISLNK(st.st_mode)) {
    if (::symlink(readLink(from).c_str(), to.c_str()) != 0) return errno;
    created = true;
    const auto times = timesOf(st);
    ::utimensat(AT_FDCWD, to.c_str(), times.data(), AT_SYMLINK_NOFOLLOW);
    return 0;
  }
  if (S_ISREG(st.st_mode)) return copyFile(from, to, st, created);
  if (!S_ISDIR(st.st_mode))
    fail(QStringLiteral("%1 is not a file, a folder or a link, so it cannot be copied.").arg(shown(from)));
  if (::mkdir(to.c_str(), S_IRWXU) != 0) return errno;
  created = true;
  for (const fs::path& child : entriesOf(from)) {
    bool made = false;
    if (const int e = copyEntry(child, to / child.filename(), made))
      fail(QStringLiteral("Could not copy %1: %2").arg(shown(child), reason(e)));
  }
  // The folder's own mode last: a read-only folder is filled first.
  const auto times = timesOf(st);
  if (::chmod(to.c_str(), st.st_mode & 07777) != 0 || ::utimensat(AT_FDCWD, to.c_str(), times.data(), 0) != 0)
    fail(QStringLiteral("Could not copy %1: %2").arg(shown(from), reason(errno)));
  syncFolder(to);
  return 0;
}

bool sameBytes(const fs::path& a, const fs::path& b) {
  std::ifstream fa(a, std::ios::binary), fb(b, std::ios::binary);
  if (!fa || !fb) return false;
  std::array<char, 1 << 16> ba{}, bb{};
  for (;;) {
    fa.read(ba.data(), ba.size());
    fb.read(bb.data(), bb.size());
    if (fa.gcount() != fb.gcount() || !std::equal(ba.begin(), ba.begin() + fa.gcount(), bb.begin())) return false;
    if (fa.gcount() < static_cast<std::streamsize>(ba.size())) return fa.eof() && fb.eof();
  }
}

// One entry and, for a folder, everything below it are the same in the copy.
bool sameTree(const fs::path& source, const fs::path& copy) {
  struct stat s {}, c {};
  if (!lstatOk(source, s) || !lstatOk(copy, c) || (s.st_mode & S_IFMT) != (c.st_mode & S_IFMT)) return false;
  std::error_code ec, ec2;
  if (S_ISLNK(s.st_mode)) return fs::read_symlink(source, ec) == fs::read_symlink(copy, ec2) && !ec && !ec2;
  if (S_ISREG(s.st_mode)) return s.st_size == c.st_size && sameBytes(source, copy);
  if (!S_ISDIR(s.st_mode)) return false;
  try {
    const std::vector<fs::path> inSource = entriesOf(source);
    if (entriesOf(copy).size() != inSource.size()) return false;
    for (const fs::path& child : inSource)
      if (!sameTree(child, copy / child.filename())) return false;
  } catch (const IOException&) {
    return false;
  }
  return true;
}

// The target that leads from anywhere to where the link leads now: a relative one is read
// against the folder the link stands in.
fs::path targetFromAnywhere(const fs::path& link) {
  const fs::path target = readLink(link);
  if (target.is_absolute()) return target;
  std::error_code ec;
  const fs::path folder = fs::canonical(link.parent_path(), ec);
  if (ec) fail(QStringLiteral("Could not read the folder of %1: %2").arg(shown(link), QString::fromStdString(ec.message())));
  const fs::path exact = folder / target;
  const fs::path tidy = exact.lexically_normal();
  bool climbs = false;
  for (const fs::path& part : target) climbs = climbs || part == "..";
  if (!climbs) return tidy;
  // ".." after a linked folder leads where the system reads it, which tidying may change.
  struct stat a {}, b {};
  const bool same = ::stat(exact.c_str(), &a) == 0 && ::stat(tidy.c_str(), &b) == 0 && a.st_dev == b.st_dev &&
                    a.st_ino == b.st_ino;
  return same ? tidy : exact;
}

// Replaces a link of the program's own folders by one with another target, in one step.
void retarget(const fs::path& link, const fs::path& target) {
  for (int n = 1; n < 1000; ++n) {
    const fs::path fresh = link.parent_path() / (".tavelin-link-" + std::to_string(n));
    if (::symlink(target.c_str(), fresh.c_str()) != 0) {
      if (errno == EEXIST) continue;
      fail(QStringLiteral("Could not rewrite the link %1: %2").arg(shown(link), reason(errno)));
    }
    int e = fault(Step::Rename, fresh, link);
    if (e == 0 && ::rename(fresh.c_str(), link.c_str()) != 0) e = errno;
    if (e == 0) return;
    ::unlink(fresh.c_str());
    fail(QStringLiteral("Could not rewrite the link %1: %2").arg(shown(link), reason(e)));
  }
  fail(QStringLiteral("Could not rewrite the link %1.").arg(shown(link)));
}

// A link given another target, with the target it had.
struct Anchored {
  fs::path link, formerTarget;
};

void unanchor(const std::vector<Anchored>& anchored) {
  for (const Anchored& a : anchored) {
    try {
      retarget(a.link, a.formerTarget);
    } catch (const IOException&) {
      // It still leads where it led, only by another way.
    }
  }
}

void anchorBelow(const fs::path& root, const fs::path& folder, std::vector<Anchored>& anchored) {
  for (const fs::path& entry : entriesOf(folder)) {
    const struct stat st = statOf(entry);
    if (S_ISDIR(st.st_mode)) {
      anchorBelow(root, entry, anchored);
    } else if (S_ISLNK(st.st_mode)) {
      const fs::path target = readLink(entry);
      if (target.is_absolute()) continue;
      const fs::path inside = (folder.lexically_relative(root) / target).lexically_normal();
      if (!inside.empty() && *inside.begin() != "..") continue;
      retarget(entry, targetFromAnywhere(entry));
      anchored.push_back({entry, target});
    }
  }
}

// Links inside a folder that lead out of it by a relative path would lead elsewhere once the
// folder has moved: they are given the target that leads to the same place from anywhere.
// What this did is undone should the move not happen.
std::vector<Anchored> anchorOutwardLinks(const fs::path& folder) {
  std::vector<Anchored> anchored;
  try {
    anchorBelow(folder, folder, anchored);
  } catch (const IOException&) {
    unanchor(anchored);
    throw;
  }
  return anchored;
}

// Every entry below the folder can be removed: asked before anything is copied, so that a
// move across file systems never leaves its source half emptied.
void requireRemovable(const fs::path& p) {
  const struct stat st = statOf(p);
  if (!S_ISDIR(st.st_mode)) return;
  if (::faccessat(AT_FDCWD, p.c_str(), W_OK | X_OK, AT_EACCESS) != 0)
    fail(QStringLiteral("%1 cannot be emptied, so nothing is moved: %2").arg(shown(p), reason(errno)));
  const uid_t user = ::geteuid();
  const bool ownEntriesOnly = (st.st_mode & S_ISVTX) && user != 0 && st.st_uid != user;
  for (const fs::path& child : entriesOf(p)) {
    if (ownEntriesOnly && statOf(child).st_uid != user)
      fail(QStringLiteral("%1 belongs to another user, so nothing is moved.").arg(shown(child)));
    requireRemovable(child);
  }
}

// Renames the entry aside in its own folder, which fails at once, and harmlessly, where
// taking it away would fail.
fs::path putAside(const fs::path& from) {
  const std::string name = from.filename().native();
  for (int n = 0; n < 1000; ++n) {
    const fs::path aside =
        from.parent_path() / (n == 0 ? name + ".tavelin-moving" : ".tavelin-moving-" + std::to_string(n));
    const int e = renameNoReplace(from, aside);
    if (e == 0) return aside;
    if (e != EEXIST && e != ENAMETOOLONG)
      fail(QStringLiteral("%1 cannot be taken out of its folder, so it is not moved: %2").arg(shown(from), reason(e)));
  }
  fail(QStringLiteral("%1 could not be put aside, so it is not moved.").arg(shown(from)));
}

void putBack(const fs::path& aside, const fs::path& from) {
  if (const int e = renameNoReplace(aside, from))
    fail(QStringLiteral("%1 could not get its name back and stands as %2: %3").arg(shown(from), shown(aside), reason(e)));
}

// Copies into `into` every entry of `from` that it lacks.
void refill(const fs::path& from, const fs::path& into) {
  for (const fs::path& child : entriesOf(from)) {
    const fs::path there = into / child.filename();
    struct stat st {};
    if (!lstatOk(there, st)) {
      bool made = false;
      if (const int e = copyEntry(child, there, made))
        fail(QStringLiteral("Could not copy %1: %2").arg(shown(child), reason(e)));
    } else if (S_ISDIR(st.st_mode) && S_ISDIR(statOf(child).st_mode)) {
      refill(child, there);
    }
  }
}

// Makes `to` a verified, flushed copy of `from`; what it made is removed again on failure.
Result copyVerified(const fs::path& from, const fs::path& to) {
  bool created = false;
  try {
    const int e = copyEntry(from, to, created);
    if (e == EEXIST) return Result::NameTaken;
    if (e == ENAMETOOLONG) return Result::NameTooLong;
    if (e != 0) fail(QStringLiteral("Could not copy %1 to %2: %3").arg(shown(from), shown(to), reason(e)));
    if (!sameTree(from, to)) fail(QStringLiteral("Could not copy %1 to %2: the copy differs.").arg(shown(from), shown(to)));
    syncFolder(to.parent_path());
    return Result::Done;
  } catch (const IOException& error) {
    if (!created) throw;
    try {
      removeTree(to, true);
    } catch (const IOException&) {
      fail(error.message() + QStringLiteral(" Part of the copy is left at %1.").arg(shown(to)));
    }
    throw;
  }
}

// The source could not be removed whole after its copy was made: it is made whole again from
// the copy and given its name back, and the copy goes.
[[noreturn]] void undoHalfRemoval(const fs::path& from, const fs::path& aside, const fs::path& to, const QString& why) {
  try {
    refill(to, aside);
  } catch (const IOException&) {
  }
  if (sameTree(to, aside) && renameNoReplace(aside, from) == 0) {
    QString left;
    try {
      removeTree(to, true);
    } catch (const IOException&) {
      left = QStringLiteral(" A copy is left at %1.").arg(shown(to));
    }
    QString cause = why;
    cause.replace(shown(aside), shown(from));
    fail(QStringLiteral("Could not move %1, so it stays where it was: %2%3").arg(shown(from), cause, left));
  }
  fail(QStringLiteral("Could not finish moving %1: it is whole at %2, and what could not be removed is at %3. %4")
           .arg(shown(from), shown(to), shown(aside), why));
}

Result moveAcross(const fs::path& from, const fs::path& to) {
  const fs::path aside = putAside(from);
  Result result = Result::Done;
  try {
    requireRemovable(aside);
    result = copyVerified(aside, to);
  } catch (const IOException& error) {
    putBack(aside, from);
    // Told of the entry by its own name, not the one it had aside.
    QString message = error.message();
    message.replace(shown(aside), shown(from));
    if (!message.endsWith(QLatin1Char('.'))) message += QLatin1Char('.');
    fail(message + QStringLiteral(" It stays where it was."));
  }
  if (result != Result::Done) {
    putBack(aside, from);
    return result;
  }
  try {
    removeTree(aside, false);
  } catch (const IOException& error) {
    undoHalfRemoval(from, aside, to, error.message());
  }
  return Result::Done;
}

// A link is made anew at its place, with a target that leads where it led, on any file system.
Result moveLink(const fs::path& from, const fs::path& to) {
  const fs::path target = targetFromAnywhere(from);
  int e = fault(Step::Rename, from, to);
  // A new link is made in any case, so another file system changes nothing.
  if (e == 0 || e == EXDEV) e = ::symlink(target.c_str(), to.c_str()) == 0 ? 0 : errno;
  if (e == EEXIST) return Result::NameTaken;
  if (e == ENAMETOOLONG) return Result::NameTooLong;
  if (e != 0) fail(QStringLiteral("Could not move %1: %2").arg(shown(from), reason(e)));
  if (const int removed = removeEntry(from, false)) {
    ::unlink(to.c_str());
    fail(QStringLiteral("Could not move %1: %2").arg(shown(from), reason(removed)));
  }
  return Result::Done;
}

Result moveEntry(const fs::path& from, const fs::path& to) {
  switch (const int e = renameNoReplace(from, to)) {
    case 0:
      return Result::Done;
    case EEXIST:
      return Result::NameTaken;
    case ENAMETOOLONG:
      return Result::NameTooLong;
    case EXDEV:
      return moveAcross(from, to);
    default:
      fail(QStringLiteral("Could not move %1: %2").arg(shown(from), reason(e)));
  }
}

}  // namespace

Result move(const fs::path& from, const fs::path& to) {
  const struct stat st = statOf(from);
  if (S_ISLNK(st.st_mode)) return moveLink(from, to);
  if (!S_ISDIR(st.st_mode)) return moveEntry(from, to);
  const std::vector<Anchored> anchored = anchorOutwardLinks(from);
  try {
    const Result result = moveEntry(from, to);
    if (result != Result::Done) unanchor(anchored);
    return result;
  } catch (const IOException&) {
    unanchor(anchored);
    throw;
  }
}

Result copy(const fs::path& from, const fs::path& to) {
  statOf(from);
  return copyVerified(from, to);
}

void setFault(Fault fault) { faultHook() = std::move(fault); }

}  // namespace EntryMove
