#include "platform/MoveRecord.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <array>
#include <cerrno>
#include <variant>

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
long numberOf(const fs::path& file) {
  const std::string name = file.filename().native();
  if (name.size() <= kFilePrefix.size() + kFileSuffix.size() || name.rfind(kFilePrefix, 0) != 0 ||
      !name.ends_with(kFileSuffix))
    return 0;
  const std::string digits = name.substr(kFilePrefix.size(), name.size() - kFilePrefix.size() - kFileSuffix.size());
  if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }) || digits.size() > 9)
    return 0;
  return std::stol(digits);
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
  return QStringLiteral("moved");
}

// A record's bytes, read only from a plain file and never beyond the largest record; a
// message for the user when it cannot be.
std::variant<std::string, QString> readRecord(const fs::path& file) {
  struct stat st {};
  if (!lstatOk(file, st) || !S_ISREG(st.st_mode)) return kNotAFile.arg(shown(file));
  const Descriptor fd(::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  if (fd.get() < 0) return kCannotRead.arg(shown(file), reason(errno));
  if (::fstat(fd.get(), &st) != 0) return kCannotRead.arg(shown(file), reason(errno));
  if (!S_ISREG(st.st_mode)) return kNotAFile.arg(shown(file));
  if (st.st_size > kLargestRecord) return kTooLarge.arg(shown(file));
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
  return text;
}

// A record has gone from the folder: the folder goes too once it is empty.
void removedFrom(const fs::path& records) {
  if (::rmdir(records.c_str()) == 0) syncFolder(records.parent_path());
  else syncFolder(records);
}

Line parsed(const std::string& text) {
  Line line;
  size_t start = 0;
  for (size_t space; start <= text.size(); start = space + 1) {
    space = std::min(text.find(' ', start), text.size());
    const std::string word = text.substr(start, space - start);
    if (start == 0) line.verb = word;
    else if (!word.empty()) line.words.push_back(decoded(word));
  }
  return line;
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

void Writer::create() {
  const auto refuse = [this](int e) {
    broken_ = true;
    fail(QStringLiteral("%1 is not %2: the record that lets Tavelin finish or undo it, should it be stopped, cannot "
                        "be written in %3: %4")
             .arg(shown(from_), doneWord(kind_), shown(folder()), reason(e)));
  };
  if (broken_) refuse(EIO);
  if (const int e = fault(EntryMove::Step::Note, folder())) refuse(e);
  struct stat data {};
  if (::stat(dataFolder().c_str(), &data) != 0) refuse(errno);
  const std::optional<Identity> source = identityOf(from_);
  if (!source) refuse(ENOENT);
  if (::mkdir(folder().c_str(), S_IRWXU) != 0 && errno != EEXIST) refuse(errno);
  for (long n = 1; fd_ < 0; ++n) {
    const fs::path file = folder() / (kFilePrefix + std::to_string(n) + kFileSuffix);
    fd_ = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (fd_ >= 0) file_ = file;
    else if (errno != EEXIST) refuse(errno);
  }
  write(kHeader + "\n" + lineOf(kind_, {from_, to_}) +
        lineOf("data", {dataFolder(), fs::path(identityWord(identityOf(data)))}) +
        lineOf("source", {fs::path(identityWord(*source))}));
  syncFolder(folder());
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
  if (keep_) return;
  // A record left behind only says again, at the next start, where the entry is.
  if (fault(EntryMove::Step::Remove, file_) == 0 && ::unlink(file_.c_str()) == 0) removedFrom(folder());
}

Found left() {
  Found found;
  if (folder().empty() || !stands(folder())) return found;
  std::vector<fs::path> files;
  try {
    for (const fs::path& file : entriesOf(folder()))
      if (numberOf(file) > 0) files.push_back(file);
  } catch (const std::exception&) {
    const Descriptor fd(::open(folder().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    found.unreadable << kFolderCannotBeRead.arg(shown(folder()), reason(fd.get() < 0 ? errno : EIO));
    return found;
  }
  std::sort(files.begin(), files.end(), [](const fs::path& a, const fs::path& b) { return numberOf(a) < numberOf(b); });
  for (const fs::path& file : files) {
    const auto text = readRecord(file);
    if (const QString* why = std::get_if<QString>(&text)) {
      found.unreadable << *why;
      continue;
    }
    const std::string& bytes = std::get<std::string>(text);
    std::vector<std::string> lines;
    for (size_t start = 0, end; (end = bytes.find('\n', start)) != std::string::npos; start = end + 1)
      lines.push_back(bytes.substr(start, end - start));
    // A file named like a record that does not begin as one is not the program's; one stopped
    // before its first line was whole announced no step.
    const bool cutAtOnce = lines.empty() && (kHeader + "\n").rfind(bytes, 0) == 0;
    if (!cutAtOnce && (lines.empty() || lines.front() != kHeader)) {
      found.unreadable << kNotARecord.arg(shown(file));
      continue;
    }
    Record record{file, {}};
    for (size_t i = 1; i < lines.size(); ++i) record.lines.push_back(parsed(lines[i]));
    found.records.push_back(std::move(record));
  }
  return found;
}

void append(const fs::path& file, const std::string& verb, const std::vector<fs::path>& paths) {
  const Descriptor fd(::open(file.c_str(), O_WRONLY | O_APPEND | O_NOFOLLOW | O_CLOEXEC));
  const int e = fd.get() < 0 ? errno : writeFlushed(fd.get(), file, lineOf(verb, paths));
  if (e != 0) fail(QStringLiteral("Could not write the record %1: %2").arg(shown(file), reason(e)));
}

void remove(const fs::path& file) {
  if (const int e = removeEntry(file, false); e != 0 && e != ENOENT)
    fail(QStringLiteral("Could not remove the record %1: %2").arg(shown(file), reason(e)));
  removedFrom(file.parent_path());
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
