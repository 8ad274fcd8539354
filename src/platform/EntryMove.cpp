#include "platform/EntryMove.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <functional>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "common/RuntimeException.h"
#include "platform/EntryTree.h"
#include "platform/MoveRecord.h"

namespace EntryMove {
namespace {

using namespace EntryTree;
using MoveRecord::Writer;

// The link's target as a path from the root, and whether that path is tidy (without "." and
// ".."): it is where tidying provably leads to the same entry.
struct Reach {
  fs::path path;
  bool tidy;
};

Reach reachOf(const fs::path& link) {
  const fs::path target = readLink(link);
  if (target.is_absolute()) return {target, false};
  std::error_code ec;
  const fs::path folder = fs::canonical(link.parent_path(), ec);
  if (ec) fail(QStringLiteral("Could not read the folder of %1: %2").arg(shown(link), QString::fromStdString(ec.message())));
  const fs::path exact = folder / target;
  const fs::path tidy = exact.lexically_normal();
  bool climbs = false;
  for (const fs::path& part : target) climbs = climbs || part == "..";
  if (!climbs) return {tidy, true};
  // ".." after a linked folder leads where the system reads it, which tidying may change.
  struct stat a {}, b {};
  const bool same = ::stat(exact.c_str(), &a) == 0 && ::stat(tidy.c_str(), &b) == 0 && a.st_dev == b.st_dev &&
                    a.st_ino == b.st_ino;
  return same ? Reach{tidy, true} : Reach{exact, false};
}

// The target that leads from anywhere to where the link leads now.
fs::path targetFromAnywhere(const fs::path& link) { return reachOf(link).path; }

// Gives a link of the program's own folders another target, in one step, the record told
// first of the target it had.
void retarget(const fs::path& link, const fs::path& target, const fs::path& former, Writer& record) {
  EntryTree::retarget(link, target, [&](const fs::path& fresh) { record.note("relink", {fresh, link, target, former}); });
}

// A link given another target, with the target it had.
struct Anchored {
  fs::path link, formerTarget;
};

void unanchor(const std::vector<Anchored>& anchored, Writer& record) {
  for (const Anchored& a : anchored) {
    try {
      retarget(a.link, a.formerTarget, readLink(a.link), record);
    } catch (const IOException&) {
      // It still leads where it led, only by another way.
    }
  }
}

void anchorBelow(const fs::path& root, const fs::path& realRoot, const fs::path& folder,
                 std::vector<Anchored>& anchored, Writer& record) {
  for (const fs::path& entry : entriesOf(folder)) {
    const struct stat st = statOf(entry);
    if (S_ISDIR(st.st_mode)) {
      anchorBelow(root, realRoot, entry, anchored, record);
      continue;
    }
    if (!S_ISLNK(st.st_mode)) continue;
    const fs::path target = readLink(entry);
    if (target.is_absolute()) continue;
    const fs::path inside = (folder.lexically_relative(root) / target).lexically_normal();
    if (!inside.empty() && *inside.begin() != "..") continue;
    // It leaves the folder by its name: one that comes back in is given the way that stays
    // inside, so it leads to the same entry wherever the folder goes; one that leads out is
    // given the target that leads there from anywhere.
    const Reach reach = reachOf(entry);
    fs::path fresh = reach.path;
    if (const fs::path fromRoot = reach.path.lexically_relative(realRoot);
        reach.tidy && !fromRoot.empty() && *fromRoot.begin() != "..")
      fresh = reach.path.lexically_relative(fs::canonical(folder));
    retarget(entry, fresh, target, record);
    anchored.push_back({entry, target});
  }
}

// Links inside a folder that leave it by a relative path would lead elsewhere once the
// folder has moved. What this did is undone should the move not happen.
std::vector<Anchored> anchorLinksThatLeave(const fs::path& folder, Writer& record) {
  std::vector<Anchored> anchored;
  try {
    std::error_code ec;
    const fs::path realRoot = fs::canonical(folder, ec);
    if (ec) fail(QStringLiteral("Could not read %1: %2").arg(shown(folder), QString::fromStdString(ec.message())));
    anchorBelow(folder, realRoot, folder, anchored, record);
  } catch (const IOException&) {
    unanchor(anchored, record);
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
// taking it away would fail. The name stays visible, should the move be stopped for good.
fs::path putAside(const fs::path& from, Writer& record) {
  int error = 0;
  const fs::path aside = nameBeside(
      from, kAsideTag,
      [&](const fs::path& candidate) {
        record.note("aside", {candidate});
        return renameNoReplace(from, candidate, record.announcer());
      },
      error);
  if (aside.empty())
    fail(QStringLiteral("%1 cannot be taken out of its folder, so it is not moved: %2").arg(shown(from), reason(error)));
  return aside;
}

void putBack(const fs::path& aside, const fs::path& from, Writer& record) {
  if (const int e = renameNoReplace(aside, from, record.announcer())) {
    record.keep();
    fail(QStringLiteral("%1 could not get its name back and stands as %2: %3").arg(shown(from), shown(aside), reason(e)));
  }
}

// Removes a copy of the program's own; where that stops half way the record stays, so that
// the next start removes the rest. Answers what the user is to be told then.
QString dropCopy(const fs::path& copy, Writer& record) {
  try {
    removeTree(copy, true);
    return {};
  } catch (const IOException&) {
    record.keep();
    return QStringLiteral(" Part of the copy is left at %1.").arg(shown(copy));
  }
}

// Makes a verified, flushed copy of `source` beside `to`, under a name of its own that
// the record holds, and answers that name. What it made is removed again on failure.
fs::path copyBeside(const fs::path& source, const fs::path& to, Writer& record) {
  bool created = false;
  fs::path copy;
  try {
    int error = 0;
    copy = nameBeside(
        to, kCopyTag,
        [&](const fs::path& candidate) {
          record.note("temp", {candidate});
          copy = candidate;
          return copyEntry(source, candidate, created, [&](const Identity& made) { record.note("made", made); });
        },
        error);
    if (copy.empty() || !created)
      fail(QStringLiteral("Could not copy %1 to %2: %3").arg(shown(source), shown(to.parent_path()), reason(error)));
    if (!sameTree(source, copy))
      fail(QStringLiteral("Could not copy %1 to %2: the copy differs.").arg(shown(source), shown(to.parent_path())));
    syncFolder(copy.parent_path());
    return copy;
  } catch (const IOException& error) {
    if (!created) throw;
    fail(error.message() + dropCopy(copy, record));
  }
}

// Gives the verified copy its real name; a name taken or too long removes the copy again.
Result place(const fs::path& copy, const fs::path& to, Writer& record) {
  const int e = renameNoReplace(copy, to, record.announcer());
  if (e == 0) return Result::Done;
  const QString left = dropCopy(copy, record);
  if (e == EEXIST && left.isEmpty()) return Result::NameTaken;
  if (e == ENAMETOOLONG && left.isEmpty()) return Result::NameTooLong;
  fail(QStringLiteral("Could not copy %1: %2.%3").arg(shown(to), reason(e), left));
}

// Copies into `into` every entry of `from` that it lacks.
void refillFrom(const fs::path& from, const fs::path& into) {
  for (const fs::path& child : entriesOf(from)) {
    const fs::path there = into / child.filename();
    struct stat st {};
    if (!lstatOk(there, st)) {
      bool made = false;
      if (const int e = copyEntry(child, there, made))
        fail(QStringLiteral("Could not copy %1: %2").arg(shown(child), reason(e)));
    } else if (S_ISDIR(st.st_mode) && S_ISDIR(statOf(child).st_mode)) {
      refillFrom(child, there);
    }
  }
}

// The source could not be removed whole after its copy was in place: it is made whole again
// from the copy and given its name back, and the copy goes.
[[noreturn]] void undoHalfRemoval(const fs::path& from, const fs::path& aside, const fs::path& to, const QString& why,
                                  Writer& record) {
  const QString unfinished = QStringLiteral("Could not finish moving %1: it is whole at %2, and what could not be removed is at %3. %4")
                                 .arg(shown(from), shown(to), shown(aside), why);
  try {
    record.note("undo");
    refillFrom(to, aside);
  } catch (const IOException&) {
    record.keep();
    fail(unfinished);
  }
  if (!sameTree(to, aside) || renameNoReplace(aside, from, record.announcer()) != 0) {
    record.keep();
    fail(unfinished);
  }
  const QString left = dropCopy(to, record);
  QString cause = why;
  cause.replace(shown(aside), shown(from));
  fail(QStringLiteral("Could not move %1, so it stays where it was: %2%3").arg(shown(from), cause, left));
}

Result moveAcross(const fs::path& from, const fs::path& to, Writer& record) {
  record.note("across");
  const fs::path aside = putAside(from, record);
  bool placed = false;
  std::optional<Result> refused;
  try {
    requireRemovable(aside);
    Result result = Result::NameTaken;
    if (!stands(to)) result = place(copyBeside(aside, to, record), to, record);
    placed = result == Result::Done;
    if (placed) record.note("placed");
    else refused = result;
  } catch (const IOException& error) {
    // Told of the entry by its own name, not the one it had aside.
    QString message = error.message();
    if (placed) message += dropCopy(to, record);
    putBack(aside, from, record);
    message.replace(shown(aside), shown(from));
    if (!message.endsWith(QLatin1Char('.'))) message += QLatin1Char('.');
    fail(message + QStringLiteral(" It stays where it was."));
  }
  if (refused) {
    putBack(aside, from, record);
    return *refused;
  }
  try {
    removeTree(aside, false);
  } catch (const IOException& error) {
    undoHalfRemoval(from, aside, to, error.message(), record);
  }
  syncFolder(from.parent_path());
  return Result::Done;
}

// A link is made anew at its place, with a target that leads where it led, on any file system.
Result moveLink(const fs::path& from, const fs::path& to, Writer& record) {
  const fs::path target = targetFromAnywhere(from);
  record.note("link", {target});
  int e = fault(Step::Rename, from, to);
  // A new link is made in any case, so another file system changes nothing.
  if (e == 0 || e == EXDEV) e = ::symlink(target.c_str(), to.c_str()) == 0 ? 0 : errno;
  if (e == EEXIST) return Result::NameTaken;
  if (e == ENAMETOOLONG) return Result::NameTooLong;
  if (e != 0) fail(QStringLiteral("Could not move %1: %2").arg(shown(from), reason(e)));
  // The new link outlasts a power cut before the old one goes.
  syncFolder(to.parent_path());
  if (const int removed = removeEntry(from, false)) {
    ::unlink(to.c_str());
    fail(QStringLiteral("Could not move %1: %2").arg(shown(from), reason(removed)));
  }
  syncFolder(from.parent_path());
  return Result::Done;
}

Result moveEntry(const fs::path& from, const fs::path& to, Writer& record) {
  switch (const int e = renameNoReplace(from, to, record.announcer())) {
    case 0:
      return Result::Done;
    case EEXIST:
      return Result::NameTaken;
    case ENAMETOOLONG:
      return Result::NameTooLong;
    case EXDEV:
      return moveAcross(from, to, record);
    default:
      fail(QStringLiteral("Could not move %1: %2").arg(shown(from), reason(e)));
  }
}

Result moveFolder(const fs::path& from, const fs::path& to, Writer& record) {
  const std::vector<Anchored> anchored = anchorLinksThatLeave(from, record);
  try {
    const Result result = moveEntry(from, to, record);
    if (result != Result::Done) unanchor(anchored, record);
    return result;
  } catch (const IOException&) {
    unanchor(anchored, record);
    throw;
  }
}

// Runs one move or copy under its record, which goes once the step has ended with every
// entry whole in one place. A stop by any other means leaves the record for the next start.
template <class Body>
Result underRecord(const char* kind, const fs::path& from, const fs::path& to, Body body) {
  statOf(from);
  Writer record(kind, from, to);
  try {
    const Result result = body(record);
    record.finish();
    return result;
  } catch (const IOException&) {
    record.finish();
    throw;
  }
}

Result moveUnder(const fs::path& from, const fs::path& to, Writer& record) {
  const struct stat st = statOf(from);
  if (S_ISLNK(st.st_mode)) return moveLink(from, to, record);
  if (S_ISDIR(st.st_mode)) return moveFolder(from, to, record);
  return moveEntry(from, to, record);
}

}  // namespace

Result move(const fs::path& from, const fs::path& to) {
  return underRecord("move", from, to, [&](Writer& record) { return moveUnder(from, to, record); });
}

Result move(const fs::path& from, const fs::path& to, MoveRecord::Writer& record) {
  statOf(from);
  return moveUnder(from, to, record);
}

Result copy(const fs::path& from, const fs::path& to) {
  return underRecord("copy", from, to, [&](Writer& record) {
    if (stands(to)) return Result::NameTaken;
    return place(copyBeside(from, to, record), to, record);
  });
}

}  // namespace EntryMove
