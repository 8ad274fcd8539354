#include "platform/MoveRecord.h"

#include <fcntl.h>
#include <unistd.h>

#include <QByteArray>
#include <QString>
#include <algorithm>
#include <cerrno>
#include <fstream>
#include <sstream>

#include "platform/EntryTree.h"

namespace MoveRecord {

using namespace EntryTree;

namespace {

const std::string kHeader = "Tavelin move record";
const std::string kFilePrefix = "move-";
const std::string kFileSuffix = ".txt";

fs::path& folderSetting() {
  static fs::path f;
  return f;
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

QString doneWord(const std::string& kind) { return kind == "copy" ? QStringLiteral("copied") : QStringLiteral("moved"); }

}  // namespace

void setFolder(const fs::path& folder) { folderSetting() = folder; }
const fs::path& folder() { return folderSetting(); }

Writer::Writer(std::string kind, fs::path from, fs::path to)
    : kind_(std::move(kind)), from_(std::move(from)), to_(std::move(to)) {}

Writer::~Writer() {
  if (fd_ >= 0) ::close(fd_);
}

void Writer::note(const std::string& verb, const std::vector<fs::path>& paths) {
  if (folder().empty()) return;
  std::string line = verb;  // appended to: g++ 12 warns of an overlap in " " + std::string
  for (const fs::path& p : paths) line.append(1, ' ').append(encoded(p));
  if (fd_ < 0) create();
  write(line.append(1, '\n'));
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
  if (::mkdir(folder().c_str(), S_IRWXU) != 0 && errno != EEXIST) refuse(errno);
  for (long n = 1; fd_ < 0; ++n) {
    const fs::path file = folder() / (kFilePrefix + std::to_string(n) + kFileSuffix);
    fd_ = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (fd_ >= 0) file_ = file;
    else if (errno != EEXIST) refuse(errno);
  }
  write(kHeader + "\n" + kind_ + " " + encoded(from_) + " " + encoded(to_) + "\n");
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
  if (fault(EntryMove::Step::Remove, file_) == 0 && ::unlink(file_.c_str()) == 0) syncFolder(folder());
}

std::vector<Record> left() {
  std::vector<Record> records;
  if (folder().empty() || !stands(folder())) return records;
  std::vector<fs::path> files;
  try {
    for (const fs::path& file : entriesOf(folder()))
      if (numberOf(file) > 0) files.push_back(file);
  } catch (const std::exception&) {
    return records;
  }
  std::sort(files.begin(), files.end(), [](const fs::path& a, const fs::path& b) { return numberOf(a) < numberOf(b); });
  for (const fs::path& file : files) {
    std::ifstream in(file, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Record record{file, {}};
    std::istringstream lines(text);
    std::string line;
    bool first = true, ours = true;
    while (std::getline(lines, line)) {
      if (lines.eof()) break;  // no line end: cut short
      if (first) {
        first = false;
        ours = line == kHeader;
        if (!ours) break;
        continue;
      }
      std::istringstream words(line);
      Line parsed;
      words >> parsed.verb;
      for (std::string word; words >> word;) parsed.paths.push_back(decoded(word));
      record.lines.push_back(std::move(parsed));
    }
    if (ours) records.push_back(std::move(record));
  }
  return records;
}

void append(const fs::path& file, const std::string& verb) {
  const Descriptor fd(::open(file.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC));
  const int e = fd.get() < 0 ? errno : writeFlushed(fd.get(), file, verb + "\n");
  if (e != 0) fail(QStringLiteral("Could not write the record %1: %2").arg(shown(file), reason(e)));
}

void remove(const fs::path& file) {
  if (const int e = removeEntry(file, false); e != 0 && e != ENOENT)
    fail(QStringLiteral("Could not remove the record %1: %2").arg(shown(file), reason(e)));
  syncFolder(file.parent_path());
}

}  // namespace MoveRecord
