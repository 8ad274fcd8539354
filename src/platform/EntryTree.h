#pragma once

#include <sys/stat.h>

#include <QString>
#include <filesystem>
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
[[noreturn]] void fail(const QString& message);

bool lstatOk(const fs::path& p, struct stat& st);
bool stands(const fs::path& p);  // any entry, a link to nothing included
struct stat statOf(const fs::path& p);  // raises when nothing stands there
std::vector<fs::path> entriesOf(const fs::path& folder);
fs::path readLink(const fs::path& link);

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
int copyEntry(const fs::path& from, const fs::path& to, bool& created);
// One entry and, for a folder, everything below it are the same in the copy.
bool sameTree(const fs::path& source, const fs::path& copy);
// What a copy of the source can be once it was stopped part way: nothing in it that the
// source lacks, and every file the start of the source's.
bool partOfCopy(const fs::path& copy, const fs::path& source);

}  // namespace EntryTree
