#pragma once

#include <sys/stat.h>

#include <QString>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/EntryMove.h"

// The steps that moves, copies and their recovery are made of, on entries named by their own
// byte names. Every step that changes the file system first asks the test fault.
namespace EntryTree {

namespace fs = std::filesystem;

int fault(EntryMove::Step step, const fs::path& path, const fs::path& to = {});

QString shown(const fs::path& p);
QString reason(int error);
// The text as a sentence of its own: it ends with a full stop.
QString asSentence(QString text);
[[noreturn]] void fail(const QString& message);

bool lstatOk(const fs::path& p, struct stat& st);
bool stands(const fs::path& p);  // any entry, a link to nothing included
struct stat statOf(const fs::path& p);  // raises when nothing stands there
std::vector<fs::path> entriesOf(const fs::path& folder);
fs::path readLink(const fs::path& link);
// Whether the entry is a link with exactly that target.
bool isLinkTo(const fs::path& p, const fs::path& target);

// What tells an entry from every other on the system: a rename keeps it, a copy does not.
struct Identity {
  dev_t device = 0;
  ino_t inode = 0;
  friend bool operator==(const Identity&, const Identity&) = default;
};
Identity identityOf(const struct stat& st);
std::optional<Identity> identityOf(const fs::path& p);  // the entry itself, a link as the link
std::string identityWord(const Identity& id);
std::optional<Identity> identityFromWord(const std::string& word);

// The names the program gives entries of its own beside another's: the entry's name with the
// tag ("name.tavelin-moving"), or the tag alone where that is too long, either numbered
// ("-1", "-2", …) when taken.
inline const std::string kAsideTag = "tavelin-moving";
inline const std::string kCopyTag = "tavelin-copy";
// Gives such a name: the attempt answers 0, or the errno for that name; EEXIST goes on to the
// next name, and a first ENAMETOOLONG to the short ones. Answers the name taken, or nothing
// with the last errno.
fs::path nameBeside(const fs::path& entry, const std::string& tag, const std::function<int(const fs::path&)>& attempt,
                    int& error);
// Whether the candidate is one of those names, beside the entry.
bool isNameBeside(const fs::path& candidate, const fs::path& entry, const std::string& tag);
// The name a link rewritten in one step is first made under, beside it.
bool isFreshLinkName(const fs::path& candidate, const fs::path& link);

// Replaces a link by one with another target, in one step: the new link is made under a name
// of its own beside it, which `announce` is told first, then renamed over the old one.
void retarget(const fs::path& link, const fs::path& target, const std::function<void(const fs::path& fresh)>& announce);

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor();
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// Flushes a folder, so that the names just made or taken away in it outlast a power cut.
void syncFolder(const fs::path& folder);

// rename(2) that never replaces an entry; 0 or the errno.
int renameNoReplace(const fs::path& from, const fs::path& to);
int removeEntry(const fs::path& p, bool folder);
// Removes the entry and everything below it, stopping at the first entry that stays. A copy
// of the program's own is cleared even where it copied a read-only folder.
void removeTree(const fs::path& p, bool ownCopy);

// Makes `to` a copy of `from`, every file flushed: 0, or the errno of making `to` itself,
// with nothing made. A failure below `to` raises; `created` tells whether `to` was made.
// `onMade` hears of `to` as soon as it stands, before anything is put in it.
int copyEntry(const fs::path& from, const fs::path& to, bool& created,
              const std::function<void(const Identity&)>& onMade = {});
// One entry and, for a folder, everything below it are the same in the copy.
bool sameTree(const fs::path& source, const fs::path& copy);
// What a copy of the source can be once it was stopped part way: nothing in it that the
// source lacks, and every file the start of the source's.
bool partOfCopy(const fs::path& copy, const fs::path& source);

}  // namespace EntryTree
