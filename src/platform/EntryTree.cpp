#include "platform/EntryTree.h"

#include <fcntl.h>
#include <unistd.h>

#include <QByteArray>
#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <system_error>

#include "common/RuntimeException.h"
#include "platform/FolderItem.h"

namespace EntryTree {

using EntryMove::Step;

namespace {

EntryMove::Fault& faultHook() {
  static EntryMove::Fault f;
  return f;
}

std::array<timespec, 2> timesOf(const struct stat& st) {
#ifdef __APPLE__
  return {st.st_atimespec, st.st_mtimespec};
#else
  return {st.st_atim, st.st_mtim};
#endif
}

long long nanoseconds(long long seconds, long long nanos) { return seconds * 1000000000LL + nanos; }

// The birth time of the entry (a link as the link), or of the open file where `fd` is given;
// 0 where the file system keeps none.
long long birthOf(const fs::path& p, int fd = -1) {
#if defined(__linux__)
  struct statx sx {};
  const int r = fd >= 0 ? ::statx(fd, "", AT_EMPTY_PATH, STATX_BTIME, &sx)
                        : ::statx(AT_FDCWD, p.c_str(), AT_SYMLINK_NOFOLLOW, STATX_BTIME, &sx);
  if (r != 0 || !(sx.stx_mask & STATX_BTIME)) return 0;
  return nanoseconds(sx.stx_btime.tv_sec, sx.stx_btime.tv_nsec);
#elif defined(__APPLE__)
  struct stat st {};
  if ((fd >= 0 ? ::fstat(fd, &st) : ::lstat(p.c_str(), &st)) != 0) return 0;
  return nanoseconds(st.st_birthtimespec.tv_sec, st.st_birthtimespec.tv_nsec);
#else
  (void)p;
  (void)fd;
  return 0;
#endif
}

// Holds the name first with an entry of our own, which cannot replace anything, then renames
// over it: for file systems without a rename that refuses an existing name. A file is given
// a second name instead, where links can be made, and loses its first.
int renameOverPlaceholder(const fs::path& from, const fs::path& to, const Announce& announce) {
  struct stat st {};
  if (!lstatOk(from, st)) return errno;
  const bool folder = S_ISDIR(st.st_mode);
  if (!folder) {
    if (announce) announce("linked", {from, to});
    int e = fault(Step::Link, from, to);
    if (e == 0 && ::linkat(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), 0) != 0) e = errno;
    if (e == 0) {
      // The second name outlasts a power cut before the first goes.
      syncFolder(to.parent_path());
      e = fault(Step::Remove, from);
      if (e == 0 && ::unlink(from.c_str()) != 0) e = errno;
      if (e == 0) return 0;
      ::unlink(to.c_str());
      return e;
    }
    if (e == EEXIST || e == EXDEV || e == ENAMETOOLONG || e == ENOENT) return e;
  }
  if (announce) announce("placeholder", {to});
  if (folder) {
    if (::mkdir(to.c_str(), 0700) != 0) return errno;
  } else {
    const int fd = ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return errno;
    ::close(fd);
  }
  int e = fault(Step::Link, from, to);
  if (e == 0 && ::rename(from.c_str(), to.c_str()) == 0) return 0;
  if (e == 0) e = errno;
  if (folder) ::rmdir(to.c_str());
  else ::unlink(to.c_str());
  return e;
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
int copyFile(const fs::path& from, const fs::path& to, const struct stat& st, bool& created,
             const std::function<void(const Identity&)>& onMade) {
  const Descriptor in(::open(from.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  if (in.get() < 0) fail(QStringLiteral("Could not read %1: %2").arg(shown(from), reason(errno)));
  const Descriptor out(::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, S_IRUSR | S_IWUSR));
  if (out.get() < 0) return errno;
  created = true;
  if (onMade) onMade(identityOfOpen(out.get()));
  const auto broken = [&](int e) { fail(QStringLiteral("Could not copy %1: %2").arg(shown(from), reason(e))); };
  std::array<char, 1 << 16> buffer{};
  for (;;) {
    const ssize_t n = ::read(in.get(), buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) broken(errno);
    if (n == 0) break;
    if (const int e = writeAll(out.get(), buffer.data(), n)) broken(e);
    if (const int e = fault(Step::Write, from, to)) broken(e);
  }
  const auto times = timesOf(st);
  if (::fchmod(out.get(), st.st_mode & 07777) != 0 || ::futimens(out.get(), times.data()) != 0 ||
      ::fsync(out.get()) != 0)
    broken(errno);
  return 0;
}

// Whether the first file's bytes are the second's, or, with `startOnly`, their start.
bool sameBytes(const fs::path& a, const fs::path& b, bool startOnly) {
  std::ifstream fa(a, std::ios::binary), fb(b, std::ios::binary);
  if (!fa || !fb) return false;
  std::array<char, 1 << 16> ba{}, bb{};
  for (;;) {
    fa.read(ba.data(), ba.size());
    fb.read(bb.data(), bb.size());
    const std::streamsize n = fa.gcount();
    if (n > fb.gcount() || (!startOnly && n != fb.gcount())) return false;
    if (!std::equal(ba.begin(), ba.begin() + n, bb.begin())) return false;
    if (n < static_cast<std::streamsize>(ba.size())) return startOnly || (fa.eof() && fb.eof());
  }
}

// The two entries are alike and, for folders, every entry of the first has its like in the
// second; `whole` asks the same of the second's entries and files whole.
bool alike(const fs::path& first, const fs::path& second, bool whole) {
  struct stat s {}, c {};
  if (!lstatOk(first, s) || !lstatOk(second, c) || (s.st_mode & S_IFMT) != (c.st_mode & S_IFMT)) return false;
  std::error_code ec, ec2;
  if (S_ISLNK(s.st_mode)) return fs::read_symlink(first, ec) == fs::read_symlink(second, ec2) && !ec && !ec2;
  if (S_ISREG(s.st_mode))
    return whole ? s.st_size == c.st_size && sameBytes(first, second, false)
                 : s.st_size <= c.st_size && sameBytes(first, second, true);
  if (!S_ISDIR(s.st_mode)) return false;
  try {
    const std::vector<fs::path> inFirst = entriesOf(first);
    if (whole && entriesOf(second).size() != inFirst.size()) return false;
    for (const fs::path& child : inFirst)
      if (!alike(child, second / child.filename(), whole)) return false;
  } catch (const IOException&) {
    return false;
  }
  return true;
}

}  // namespace

}  // namespace EntryTree

namespace EntryMove {
void setFault(Fault fault) { EntryTree::faultHook() = std::move(fault); }
}  // namespace EntryMove

namespace EntryTree {

int fault(Step step, const fs::path& path, const fs::path& to) {
  return faultHook() ? faultHook()(step, path, to) : 0;
}

QString shown(const fs::path& p) { return FolderItem::shownName(QByteArray::fromStdString(p.native())); }
QString reason(int error) { return QString::fromStdString(std::generic_category().message(error)); }

QString asSentence(QString text) {
  if (!text.endsWith(QLatin1Char('.'))) text += QLatin1Char('.');
  return text;
}

void fail(const QString& message) { throw IOException(message); }

bool lstatOk(const fs::path& p, struct stat& st) { return ::lstat(p.c_str(), &st) == 0; }

bool stands(const fs::path& p) {
  struct stat st {};
  return lstatOk(p, st);
}

namespace {
// lstat(2) where only an entry shown absent answers false; any other failure raises.
bool lstatKnown(const fs::path& p, struct stat& st) {
  if (lstatOk(p, st)) return true;
  if (errno == ENOENT || errno == ENOTDIR) return false;
  fail(QStringLiteral("Could not look at %1: %2").arg(shown(p), reason(errno)));
}
}  // namespace

bool standsKnown(const fs::path& p) {
  struct stat st {};
  return lstatKnown(p, st);
}

long long modifiedOf(const struct stat& st) {
  const timespec modified = timesOf(st)[1];
  return nanoseconds(modified.tv_sec, modified.tv_nsec);
}

struct stat statOf(const fs::path& p) {
  struct stat st {};
  if (!lstatOk(p, st)) fail(QStringLiteral("%1 does not exist: %2").arg(shown(p), reason(errno)));
  return st;
}

Descriptor::~Descriptor() {
  if (fd_ >= 0) ::close(fd_);
}

void syncFolder(const fs::path& folder) {
  const Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() >= 0) ::fsync(fd.get());
}

std::vector<fs::path> entriesOf(const fs::path& folder) {
  std::error_code ec;
  if (const int e = fault(Step::List, folder)) ec = std::error_code(e, std::generic_category());
  std::vector<fs::path> out;
  if (!ec)
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

bool isLinkTo(const fs::path& p, const fs::path& target) {
  struct stat st {};
  std::error_code ec;
  return lstatOk(p, st) && S_ISLNK(st.st_mode) && fs::read_symlink(p, ec) == target && !ec;
}

std::optional<Identity> identityOf(const fs::path& p) {
  struct stat st {};
  if (!lstatKnown(p, st)) return std::nullopt;
  return Identity{st.st_dev, st.st_ino, birthOf(p)};
}

Identity identityOfOpen(int fd) {
  struct stat st {};
  if (::fstat(fd, &st) != 0) fail(QStringLiteral("Could not look at a file just made: %1").arg(reason(errno)));
  return Identity{st.st_dev, st.st_ino, birthOf({}, fd)};
}

std::optional<Identity> folderIdentity(const fs::path& folder) {
  const Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() < 0) return std::nullopt;
  return identityOfOpen(fd.get());
}

std::string identityWord(const Identity& id) {
  return std::to_string(static_cast<unsigned long long>(id.device)) + ":" +
         std::to_string(static_cast<unsigned long long>(id.inode)) + ":" + std::to_string(id.birth);
}

std::optional<Identity> identityFromWord(const std::string& word) {
  const auto number = [](const std::string& digits) -> std::optional<unsigned long long> {
    if (digits.empty() || digits.size() > 20 || !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
      return std::nullopt;
    try {
      return std::stoull(digits);
    } catch (const std::exception&) {
      return std::nullopt;
    }
  };
  // "device:inode", and from records that note it, ":birth".
  std::vector<std::optional<unsigned long long>> parts;
  for (size_t start = 0;;) {
    const size_t colon = word.find(':', start);
    parts.push_back(number(word.substr(start, colon == std::string::npos ? std::string::npos : colon - start)));
    if (colon == std::string::npos) break;
    start = colon + 1;
  }
  if (parts.size() < 2 || parts.size() > 3 || std::any_of(parts.begin(), parts.end(), [](const auto& n) { return !n; }))
    return std::nullopt;
  return Identity{static_cast<dev_t>(*parts[0]), static_cast<ino_t>(*parts[1]),
                  parts.size() == 3 ? static_cast<long long>(*parts[2]) : 0};
}

std::string stampOf(const fs::path& file) {
  const Descriptor fd(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  struct stat st {};
  if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0) return "none";
  return identityWord(identityOfOpen(fd.get())) + ":" + std::to_string(modifiedOf(st)) + ":" +
         std::to_string(static_cast<long long>(st.st_size));
}

fs::path nameBeside(const fs::path& entry, const std::string& tag, const std::function<int(const fs::path&)>& attempt,
                    int& error) {
  bool shortForm = false;
  error = EEXIST;
  for (int n = 0; n < 1000; ++n) {
    // Appended to, not added: g++ 12 warns of an overlap in "-" + std::string.
    std::string name = shortForm ? tag : std::string(entry.filename().native()).append(1, '.').append(tag);
    if (n > 0) name.append(1, '-').append(std::to_string(n));
    const fs::path candidate = entry.parent_path() / name;
    if (stands(candidate)) continue;
    error = attempt(candidate);
    if (error == 0) return candidate;
    if (error == ENAMETOOLONG && !shortForm) {
      shortForm = true;
      n = -1;
    } else if (error != EEXIST) {
      return {};
    }
  }
  return {};
}

namespace {
// Whether the name is the base, or the base numbered as nameBeside numbers it.
bool isNumbered(const std::string& name, const std::string& base, bool numberRequired) {
  if (name.rfind(base, 0) != 0) return false;
  const std::string rest = name.substr(base.size());
  if (rest.empty()) return !numberRequired;
  return rest.size() >= 2 && rest.size() <= 4 && rest[0] == '-' && rest[1] != '0' &&
         std::all_of(rest.begin() + 1, rest.end(), [](char c) { return c >= '0' && c <= '9'; });
}
const std::string kFreshLinkBase = ".tavelin-link";
}  // namespace

bool isNameBeside(const fs::path& candidate, const fs::path& entry, const std::string& tag) {
  if (candidate.parent_path() != entry.parent_path() || entry.filename().empty()) return false;
  const std::string name = candidate.filename().native();
  return isNumbered(name, std::string(entry.filename().native()).append(1, '.').append(tag), false) ||
         isNumbered(name, tag, false);
}

bool isOwnName(const std::string& name) {
  for (const std::string& tag : {kAsideTag, kCopyTag, kSaveTag}) {
    if (isNumbered(name, tag, false)) return true;
    const size_t at = name.rfind("." + tag);
    if (at != std::string::npos && at > 0 && isNumbered(name.substr(at + 1), tag, false)) return true;
  }
  return false;
}

bool isFreshLinkName(const fs::path& candidate, const fs::path& link) {
  return candidate.parent_path() == link.parent_path() && isNumbered(candidate.filename().native(), kFreshLinkBase, true);
}

void retarget(const fs::path& link, const fs::path& target, const std::function<void(const fs::path& fresh)>& announce) {
  for (int n = 1; n < 1000; ++n) {
    const fs::path fresh = link.parent_path() / (kFreshLinkBase + "-" + std::to_string(n));
    if (stands(fresh)) continue;
    announce(fresh);
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

namespace {
int renameOnce(const fs::path& from, const fs::path& to, const Announce& announce) {
  const int e = fault(Step::Rename, from, to);
  // EINVAL: a file system without the rename that refuses an existing name.
  if (e != 0 && e != EINVAL) return e;
  if (e == 0) {
#if defined(__linux__)
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return errno;
#elif defined(__APPLE__)
    if (::renamex_np(from.c_str(), to.c_str(), RENAME_EXCL) == 0) return 0;
    if (errno != ENOTSUP && errno != EINVAL) return errno;
#endif
  }
  return renameOverPlaceholder(from, to, announce);
}
}  // namespace

int renameNoReplace(const fs::path& from, const fs::path& to, const Announce& announce) {
  const int e = renameOnce(from, to, announce);
  if (e == 0) {
    // Both names outlast a power cut before the next step, or the record that tells of them, goes.
    syncFolder(to.parent_path());
    if (from.parent_path() != to.parent_path()) syncFolder(from.parent_path());
  }
  return e;
}

fs::path replacedFile(const fs::path& file) {
  struct stat st {};
  if (!lstatOk(file, st) || !S_ISLNK(st.st_mode)) return file;
  std::error_code ec;
  fs::path real = fs::canonical(file, ec);
  if (ec) fail(QStringLiteral("Could not follow the link %1: %2").arg(shown(file), QString::fromStdString(ec.message())));
  return real;
}

void replaceFile(const fs::path& file, const std::string& bytes, const Announce& announce) {
  const fs::path real = replacedFile(file);
  struct stat st {};
  const bool had = ::stat(real.c_str(), &st) == 0 && S_ISREG(st.st_mode);
  int fd = -1, error = 0;
  const fs::path temp = nameBeside(
      real, kSaveTag,
      [&](const fs::path& candidate) {
        if (announce) announce("temp", {candidate});
        fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        return fd < 0 ? errno : 0;
      },
      error);
  if (temp.empty()) fail(QStringLiteral("Could not create %1: %2").arg(shown(real), reason(error)));
  const Descriptor out(fd);
  try {
    if (announce) announce("made", {fs::path(identityWord(identityOfOpen(out.get())))});
    int e = writeAll(out.get(), bytes.data(), static_cast<ssize_t>(bytes.size()));
    if (e == 0) e = fault(Step::Write, real, temp);
    if (e == 0 && ((had && ::fchmod(out.get(), st.st_mode & 07777) != 0) || ::fsync(out.get()) != 0)) e = errno;
    if (e == 0) e = fault(Step::Rename, temp, real);
    if (e == 0 && ::rename(temp.c_str(), real.c_str()) != 0) e = errno;
    if (e != 0) fail(QStringLiteral("Could not write %1: %2").arg(shown(real), reason(e)));
  } catch (const IOException&) {
    ::unlink(temp.c_str());
    throw;
  }
  syncFolder(real.parent_path());
}

int removeEntry(const fs::path& p, bool folder) {
  if (const int e = fault(Step::Remove, p)) return e;
  return (folder ? ::rmdir(p.c_str()) : ::unlink(p.c_str())) == 0 ? 0 : errno;
}

void removeTree(const fs::path& p, bool ownCopy) {
  const struct stat st = statOf(p);
  const bool folder = S_ISDIR(st.st_mode);
  if (folder) {
    if (ownCopy) ::chmod(p.c_str(), S_IRWXU);
    for (const fs::path& child : entriesOf(p)) removeTree(child, ownCopy);
    syncFolder(p);
  }
  if (const int e = removeEntry(p, folder)) fail(QStringLiteral("Could not remove %1: %2").arg(shown(p), reason(e)));
  syncFolder(p.parent_path());
}

int copyEntry(const fs::path& from, const fs::path& to, bool& created, const std::function<void(const Identity&)>& onMade) {
  const struct stat st = statOf(from);
  if (const int e = fault(Step::Copy, from, to)) return e;
  const auto announce = [&] {
    const std::optional<Identity> made = identityOf(to);
    if (!made) fail(QStringLiteral("Could not copy %1: the copy vanished.").arg(shown(from)));
    if (onMade) onMade(*made);
  };
  if (S_ISLNK(st.st_mode)) {
    if (::symlink(readLink(from).c_str(), to.c_str()) != 0) return errno;
    created = true;
    announce();
    const auto times = timesOf(st);
    ::utimensat(AT_FDCWD, to.c_str(), times.data(), AT_SYMLINK_NOFOLLOW);
    return 0;
  }
  if (S_ISREG(st.st_mode)) return copyFile(from, to, st, created, onMade);
  if (!S_ISDIR(st.st_mode))
    fail(QStringLiteral("%1 is not a file, a folder or a link, so it cannot be copied.").arg(shown(from)));
  if (::mkdir(to.c_str(), S_IRWXU) != 0) return errno;
  created = true;
  announce();
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

bool sameTree(const fs::path& source, const fs::path& copy) { return alike(source, copy, true); }

bool partOfCopy(const fs::path& copy, const fs::path& source) { return alike(copy, source, false); }

}  // namespace EntryTree
