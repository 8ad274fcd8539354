#include "platform/MoveRecord.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <array>
#include <cerrno>
#include <variant>

#include "platform/UserFolders.h"

namespace MoveRecord {

using namespace EntryTree;

namespace {

const std::string kHeader = "Tavelin move record";
const std::string kFilePrefix = "move-";
const std::string kFileSuffix = ".txt";
const std::string kFolderName = "MovesInProgress";
// Far more than the longest record a move writes: a file larger is not one.
constexpr off_t kLargestRecord = 1 << 20;

const QString kNotAFile = QStringLiteral("%1 is not a file.");
const QString kCannotRead = QStringLiteral("%1 cannot be read: %2.");
const QString kNotARecord = QStringLiteral("%1 is not a record of Tavelin's.");
const QString kTooLarge = QStringLiteral("%1 is too large to be a record of Tavelin's.");
const QString kFolderCannotBeRead = QStringLiteral("%1, the folder of these records, cannot be read: %2.");
const QString kFolderIsLink = QStringLiteral("it is a link, and Tavelin reads its records only in a folder of its own");

struct Settings {
  fs::path dataFolder;
  std::vector<fs::path> awaitingSave;
};

Settings& settings() {
  static Settings s;
  return s;
}

// Paths are byte names: kept readable, every other byte as %XX, so a line holds any name.
std::string encoded(const fs::path& p) {
  return QByteArray::fromStdString(p.native()).toPercentEncoding("/").toStdString();
}

fs::path decoded(const std::string& text) {
  return fs::path(QByteArray::fromPercentEncoding(QByteArray::fromStdString(text)).toStdString());
}

// The record's number, for the order they were made in; 0 when the name is not a record's.
long numberOf(const std::string& name) {
  if (name.size() <= kFilePrefix.size() + kFileSuffix.size() || name.rfind(kFilePrefix, 0) != 0 ||
      !name.ends_with(kFileSuffix))
    return 0;
  const std::string digits = name.substr(kFilePrefix.size(), name.size() - kFilePrefix.size() - kFileSuffix.size());
  if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }) || digits.size() > 9)
    return 0;
  return std::stol(digits);
}

// The folder of the records, opened as itself: never through a link, and a link there is no
// folder of records. -1 with errno when it cannot be; `create` makes it when missing.
int openFolder(bool create) {
  if (create) {
    const Descriptor data(::open(dataFolder().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (data.get() < 0) return -1;
    if (::mkdirat(data.get(), kFolderName.c_str(), S_IRWXU) == 0) ::fsync(data.get());
    else if (errno != EEXIST) return -1;
  }
  return ::open(folder().c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

QString folderTrouble(int error) {
  struct stat st {};
  const bool link = lstatOk(folder(), st) && S_ISLNK(st.st_mode);
  return kFolderCannotBeRead.arg(shown(folder()), link ? kFolderIsLink : reason(error));
}

// Writes the whole line and flushes it to the disk: 0, or the errno.
int writeFlushed(int fd, const fs::path& file, const std::string& line) {
  if (const int e = fault(EntryMove::Step::Note, file)) return e;
  for (size_t done = 0; done < line.size();) {
    const ssize_t n = ::write(fd, line.data() + done, line.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    done += static_cast<size_t>(n);
  }
  return ::fsync(fd) == 0 ? 0 : errno;
}

std::string lineOf(const std::string& verb, const std::vector<fs::path>& paths) {
  std::string line = verb;  // appended to: g++ 12 warns of an overlap in " " + std::string
  for (const fs::path& p : paths) line.append(1, ' ').append(encoded(p));
  return line.append(1, '\n');
}

QString doneWord(const std::string& kind) {
  if (kind == "copy") return QStringLiteral("copied");
  if (kind == "delete") return QStringLiteral("deleted");
  if (kind == "save") return QStringLiteral("saved");
  return QStringLiteral("moved");
}

// A record's bytes, read only from a plain file and never beyond the largest record; a
// message for the user when it cannot be.
std::variant<Record, QString> readRecord(int folderFd, const fs::path& file) {
  const std::string name = file.filename().native();
  struct stat st {};
  if (::fstatat(folderFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode))
    return kNotAFile.arg(shown(file));
  const Descriptor fd(::openat(folderFd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  if (fd.get() < 0) return kCannotRead.arg(shown(file), reason(errno));
  if (::fstat(fd.get(), &st) != 0) return kCannotRead.arg(shown(file), reason(errno));
  if (!S_ISREG(st.st_mode)) return kNotAFile.arg(shown(file));
  if (st.st_size > kLargestRecord) return kTooLarge.arg(shown(file));
  Record record{file, {}, 0, modifiedOf(st)};
  try {
    record.birth = identityOfOpen(fd.get()).birth;
  } catch (const std::exception&) {
    return kCannotRead.arg(shown(file), reason(EIO));
  }
  std::string text;
  std::array<char, 1 << 14> buffer{};
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return kCannotRead.arg(shown(file), reason(errno));
    if (n == 0) break;
    text.append(buffer.data(), static_cast<size_t>(n));
    if (text.size() > static_cast<size_t>(kLargestRecord)) return kTooLarge.arg(shown(file));
  }
  std::vector<std::string> lines;
  for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  // A file named like a record that does not begin as one is not the program's; one stopped
  // before its first line was whole announced no step.
  const bool cutAtOnce = lines.empty() && (kHeader + "\n").rfind(text, 0) == 0;
  if (!cutAtOnce && (lines.empty() || lines.front() != kHeader)) return kNotARecord.arg(shown(file));
  for (size_t i = 1; i < lines.size(); ++i) {
    Line line;
    size_t start = 0;
    for (size_t space; start <= lines[i].size(); start = space + 1) {
      space = std::min(lines[i].find(' ', start), lines[i].size());
      const std::string word = lines[i].substr(start, space - start);
      if (start == 0) line.verb = word;
      else if (!word.empty()) line.words.push_back(decoded(word));
    }
    record.lines.push_back(std::move(line));
  }
  return record;
}

// Removes the record through the folder opened as itself: 0, or the errno.
int removeRecord(const fs::path& file) {
  if (const int e = fault(EntryMove::Step::Remove, file)) return e;
  const Descriptor records(openFolder(false));
  if (records.get() < 0) return errno;
  if (::unlinkat(records.get(), file.filename().c_str(), 0) != 0) return errno;
  // The folder goes too once it is empty.
  if (::rmdir(folder().c_str()) == 0) syncFolder(dataFolder());
  else ::fsync(records.get());
  return 0;
}

}  // namespace

void setDataFolder(const fs::path& dataFolder) { settings() = Settings{dataFolder, {}}; }
const fs::path& dataFolder() { return settings().dataFolder; }
fs::path folder() { return dataFolder().empty() ? fs::path() : dataFolder() / kFolderName; }

Writer::Writer(std::string kind, fs::path from, fs::path to)
    : kind_(std::move(kind)), from_(std::move(from)), to_(std::move(to)) {}

Writer::~Writer() {
  if (fd_ >= 0) ::close(fd_);
}

void Writer::begin() {
  if (!folder().empty() && fd_ < 0) create();
}

void Writer::note(const std::string& verb, const std::vector<fs::path>& paths) {
  if (folder().empty()) return;
  if (fd_ < 0) create();
  write(lineOf(verb, paths));
}

void Writer::note(const std::string& verb, const Identity& id) { note(verb, {fs::path(identityWord(id))}); }

Announce Writer::announcer() {
  return [this](const std::string& verb, const std::vector<fs::path>& paths) { note(verb, paths); };
}

void Writer::create() {
  const auto refuse = [this](int e) {
    broken_ = true;
    fail(QStringLiteral("%1 is not %2: the record that lets Tavelin finish or undo it, should it be stopped, cannot "
                        "be written in %3: %4")
             .arg(shown(from_), doneWord(kind_), shown(folder()), reason(e)));
  };
  if (broken_) refuse(EIO);
  if (const int e = fault(EntryMove::Step::Note, folder())) refuse(e);
  const std::optional<Identity> data = folderIdentity(dataFolder());
  if (!data) refuse(errno);
  std::optional<Identity> source;
  try {
    source = identityOf(from_);
  } catch (const std::exception&) {
    refuse(EIO);
  }
  if (!source && kind_ != "save") refuse(ENOENT);
  const Descriptor records(openFolder(true));
  if (records.get() < 0) refuse(errno == ELOOP ? ENOTDIR : errno);
  for (long n = 1; fd_ < 0; ++n) {
    const std::string name = kFilePrefix + std::to_string(n) + kFileSuffix;
    fd_ = ::openat(records.get(), name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_NOFOLLOW | O_CLOEXEC,
                   S_IRUSR | S_IWUSR);
    if (fd_ >= 0) file_ = folder() / name;
    else if (errno != EEXIST) refuse(errno);
  }
  std::string head = kHeader + "\n" + lineOf(kind_, {from_, to_}) +
                     lineOf("data", {dataFolder(), fs::path(identityWord(*data))}) +
                     lineOf("source", {fs::path(source ? identityWord(*source) : "none")});
  // The Desktop the move was made for: the next start looks for its entries there, even once
  // the user's settings name another.
  try {
    head += lineOf("desktop", {UserFolders::desktop().fsPath()});
  } catch (const std::exception&) {
  }
  write(head);
  ::fsync(records.get());
}

void Writer::write(const std::string& line) {
  // After a failed write the file may end in half a line: nothing more is added to it.
  const int e = broken_ ? EIO : writeFlushed(fd_, file_, line);
  if (e == 0) return;
  broken_ = true;
  fail(QStringLiteral("%1 is not %2: its record in %3 cannot be written: %4")
           .arg(shown(from_), doneWord(kind_), shown(file_), reason(e)));
}

void Writer::finish() {
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
  // A record left behind only says again, at the next start, where the entry is.
  if (!keep_) removeRecord(file_);
}

Found left() {
  Found found;
  if (folder().empty() || !stands(folder())) return found;
  const Descriptor records(openFolder(false));
  if (records.get() < 0) {
    found.unreadable << folderTrouble(errno);
    return found;
  }
  std::vector<std::string> names;
  {
    const int listing = ::dup(records.get());
    DIR* dir = listing < 0 ? nullptr : ::fdopendir(listing);
    if (!dir) {
      if (listing >= 0) ::close(listing);
      found.unreadable << folderTrouble(errno);
      return found;
    }
    errno = 0;
    while (const dirent* entry = ::readdir(dir))
      if (numberOf(entry->d_name) > 0) names.emplace_back(entry->d_name);
    const int error = errno;
    ::closedir(dir);
    if (error != 0) {
      found.unreadable << folderTrouble(error);
      return found;
    }
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) { return numberOf(a) < numberOf(b); });
  for (const std::string& name : names) {
    auto read = readRecord(records.get(), folder() / name);
    if (const QString* why = std::get_if<QString>(&read)) found.unreadable << *why;
    else found.records.push_back(std::move(std::get<Record>(read)));
  }
  return found;
}

void append(const fs::path& file, const std::string& verb, const std::vector<fs::path>& paths) {
  const Descriptor records(openFolder(false));
  const Descriptor fd(records.get() < 0 ? -1
                                        : ::openat(records.get(), file.filename().c_str(),
                                                   O_WRONLY | O_APPEND | O_NOFOLLOW | O_CLOEXEC));
  const int e = fd.get() < 0 ? errno : writeFlushed(fd.get(), file, lineOf(verb, paths));
  if (e != 0) fail(QStringLiteral("Could not write the record %1: %2").arg(shown(file), reason(e)));
}

void remove(const fs::path& file) {
  if (const int e = removeRecord(file); e != 0 && e != ENOENT)
    fail(QStringLiteral("Could not remove the record %1: %2").arg(shown(file), reason(e)));
}

void awaitSave(const fs::path& file) {
  if (!file.empty()) settings().awaitingSave.push_back(file);
}

void stateSaved() {
  std::vector<fs::path> left;
  for (const fs::path& file : settings().awaitingSave) {
    try {
      MoveRecord::remove(file);
    } catch (const std::exception&) {
      left.push_back(file);
    }
  }
  settings().awaitingSave = std::move(left);
}

}  // namespace MoveRecord
