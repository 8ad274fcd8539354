#pragma once

#include <cerrno>
#include <filesystem>
#include <utility>

#include "platform/EntryMove.h"

// Thrown by a fault, it stands for the end of the process: nothing after it runs, and
// nothing of the program catches it.
struct Killed {};

// While it lives, the moves' renames and removals are answered through the fault first.
class ScopedMoveFault {
 public:
  explicit ScopedMoveFault(EntryMove::Fault fault) { EntryMove::setFault(std::move(fault)); }
  ~ScopedMoveFault() { EntryMove::setFault({}); }
  ScopedMoveFault(const ScopedMoveFault&) = delete;
  ScopedMoveFault& operator=(const ScopedMoveFault&) = delete;
};

// A rename from one folder into another, which on another file system answers EXDEV; the
// renames a move makes inside one folder (putting the source aside and back) are not.
inline bool betweenFolders(EntryMove::Step step, const std::filesystem::path& from, const std::filesystem::path& to) {
  return step == EntryMove::Step::Rename && from.parent_path() != to.parent_path();
}
inline bool withinFolder(EntryMove::Step step, const std::filesystem::path& from, const std::filesystem::path& to) {
  return step == EntryMove::Step::Rename && from.parent_path() == to.parent_path();
}

// Every move goes to another file system.
inline int acrossFileSystems(EntryMove::Step step, const std::filesystem::path& from, const std::filesystem::path& to) {
  return betweenFolders(step, from, to) ? EXDEV : 0;
}
