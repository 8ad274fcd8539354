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
// As stands(), but only an entry shown absent is answered false: a look-up that fails for any
// other reason (an I/O error, a folder that cannot be searched) raises, since that proves nothing.
bool standsKnown(const fs::path& p);
struct stat statOf(const fs::path& p);  // raises when nothing stands there
// When the entry's content was last changed, in nanoseconds.
long long modifiedOf(const struct stat& st);
std::vector<fs::path> entriesOf(const fs::path& folder);
fs::path readLink(const fs::path& link);
// Whether the entry is a link with exactly that target.
bool isLinkTo(const fs::path& p, const fs::path& target);

// What tells an entry from every other on the system: a rename keeps it, a copy does not.
// Inode numbers are reused, so the birth time (nanoseconds; 0 where the file system keeps
// none, or a record written before it was noted) tells one life of a number from the next.
struct Identity {
  dev_t device = 0;
  ino_t inode = 0;
  long long birth = 0;
  // The same entry: where both birth times are known, they agree too.
  friend bool operator==(const Identity& a, const Identity& b) {
    return a.device == b.device && a.inode == b.inode && (a.birth == 0 || b.birth == 0 || a.birth == b.birth);
  }
};
// The entry itself, a link as the link; nothing when it is shown absent. Raises when it
// cannot be looked up.
std::optional<Identity> identityOf(const fs::path& p);
Identity identityOfOpen(int fd);
// The folder a path leads to, following links: nothing when it cannot be looked up.
std::optional<Identity> folderIdentity(const fs::path& folder);
std::string identityWord(const Identity& id);
std::optional<Identity> identityFromWord(const std::string& word);
// What tells one version of a file from the next, following a link: a save makes a new file,
// and an edit changes its time. "none" where no file stands.
std::string stampOf(const fs::path& file);

// The names the program gives entries of its own beside another's: the entry's name with the
// tag ("name.tavelin-moving"), or the tag alone where that is too long, either numbered
// ("-1", "-2", …) when taken.
inline const std::string kAsideTag = "tavelin-moving";
inline const std::string kCopyTag = "tavelin-copy";
inline const std::string kSaveTag = "tavelin-save";
// Gives such a name: the attempt answers 0, or the errno for that name; EEXIST goes on to the
// next name, and a first ENAMETOOLONG to the short ones. Answers the name taken, or nothing
// with the last errno.
fs::path nameBeside(const fs::path& entry, const std::string& tag, const std::function<int(const fs::path&)>& attempt,
                    int& error);
// Whether the candidate is one of those names, beside the entry.
bool isNameBeside(const fs::path& candidate, const fs::path& entry, const std::string& tag);
// Whether the name is one that only the program gives, to entries of its own while it moves
// or saves them, with any of the tags.
bool isOwnName(const std::string& name);
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

// A step about to be taken, told to the move's record first: the verb and the paths it names.
using Announce = std::function<void(const std::string& verb, const std::vector<fs::path>& paths)>;

// rename(2) that never replaces an entry; 0 or the errno. Both folders are flushed once it is
// done. Where the file system has no such rename it takes two steps, each announced first:
// "linked from to" before a second name is made, which the removal of the first then ends,
// or "placeholder to" before an empty entry of its own holds the name for a rename over it.
int renameNoReplace(const fs::path& from, const fs::path& to, const Announce& announce = {});
int removeEntry(const fs::path& p, bool folder);

// Replaces the file (where it is a link, the file it leads to) by one holding the bytes, in one
// step: the new file is made under a name of its own beside it, which `announce` is told first
// ("temp", then "made" with what identifies it), written, flushed and renamed over the old one,
// whose permissions it takes; the folder is flushed after. Raises IOException, the file then
// as it was.
void replaceFile(const fs::path& file, const std::string& bytes, const Announce& announce = {});
// The file such a replacement writes: where a link leads, else the file itself.
fs::path replacedFile(const fs::path& file);
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
