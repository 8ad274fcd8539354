#include "platform/MoveRecovery.h"

#include <optional>
#include <string>
#include <system_error>

#include "common/RuntimeException.h"
#include "platform/EntryTree.h"
#include "platform/MoveRecord.h"

namespace MoveRecovery {
namespace {

using namespace EntryTree;

const QString kBack = QStringLiteral("%1 is back where it was.");
const QString kMoved = QStringLiteral("%1 has been moved as asked: it is now %2.");
const QString kGone = QStringLiteral("%1 is neither where it was nor at %2: it was taken away since.");
const QString kCopyRemoved = QStringLiteral("%1 was not copied to %2; the unfinished copy has been removed.");
const QString kNotCopied = QStringLiteral("%1 was not copied to %2.");
const QString kUnreachable = QStringLiteral("%1 cannot be reached now.");
const QString kNoNameBack = QStringLiteral("%1 could not get its name back from %2: %3");
const QString kUnresolved = QStringLiteral("%1 could not be put right: %2 Tavelin tries again at its next start.");

// What a record tells of its move: each step's line is written before the step.
struct Facts {
  std::string kind;  // "move" or "copy"
  fs::path from, to;
  fs::path aside, temp;  // the last names taken for the source put aside and for the copy
  bool across = false, placed = false, undo = false;
  std::optional<fs::path> linkTarget;
  struct Relink {
    fs::path fresh, link, target;
  };
  std::optional<Relink> relink;
};

std::optional<Facts> factsOf(const MoveRecord::Record& record) {
  if (record.lines.empty()) return std::nullopt;
  const MoveRecord::Line& first = record.lines.front();
  if ((first.verb != "move" && first.verb != "copy") || first.paths.size() != 2) return std::nullopt;
  Facts facts;
  facts.kind = first.verb;
  facts.from = first.paths[0];
  facts.to = first.paths[1];
  for (size_t i = 1; i < record.lines.size(); ++i) {
    const MoveRecord::Line& line = record.lines[i];
    const auto& p = line.paths;
    if (line.verb == "across") facts.across = true;
    else if (line.verb == "placed") facts.placed = true;
    else if (line.verb == "undo") facts.undo = true;
    else if (line.verb == "aside" && p.size() == 1) facts.aside = p[0];
    else if (line.verb == "temp" && p.size() == 1) facts.temp = p[0];
    else if (line.verb == "link" && p.size() == 1) facts.linkTarget = p[0];
    else if (line.verb == "relink" && p.size() == 3) facts.relink = Facts::Relink{p[0], p[1], p[2]};
  }
  return facts;
}

bool isLinkTo(const fs::path& p, const fs::path& target) {
  struct stat st {};
  std::error_code ec;
  return lstatOk(p, st) && S_ISLNK(st.st_mode) && fs::read_symlink(p, ec) == target && !ec;
}

void removeOwn(const fs::path& p, bool ownCopy) {
  removeTree(p, ownCopy);
  syncFolder(p.parent_path());
}

void renameBack(const fs::path& aside, const fs::path& from) {
  if (const int e = renameNoReplace(aside, from)) fail(kNoNameBack.arg(shown(from), shown(aside), reason(e)));
  syncFolder(from.parent_path());
}

QString whereNow(const Facts& f) {
  if (stands(f.from)) return kBack.arg(shown(f.from));
  if (stands(f.to)) return kMoved.arg(shown(f.from), shown(f.to));
  return kGone.arg(shown(f.from), shown(f.to));
}

QString copyPutRight(const Facts& f) {
  const bool unfinished = !f.temp.empty() && stands(f.temp) && stands(f.from) && partOfCopy(f.temp, f.from);
  if (unfinished) removeOwn(f.temp, true);
  if (stands(f.to)) return {};
  return (unfinished ? kCopyRemoved : kNotCopied).arg(shown(f.from), shown(f.to.parent_path()));
}

QString linkPutRight(const Facts& f) {
  // The new link stands: the old one goes.
  struct stat st {};
  if (isLinkTo(f.to, *f.linkTarget) && lstatOk(f.from, st) && S_ISLNK(st.st_mode)) {
    if (const int e = removeEntry(f.from, false)) fail(QStringLiteral("Could not remove %1: %2").arg(shown(f.from), reason(e)));
    syncFolder(f.from.parent_path());
  }
  return whereNow(f);
}

// A move to another file system: finished once its verified copy had its real name, undone
// before that.
QString acrossPutRight(const Facts& f, const fs::path& record, bool& keep) {
  const bool asideStands = !f.aside.empty() && stands(f.aside);
  if (f.placed) {
    // The source had its name back from an undo; only the copy was still to go.
    if (f.undo && stands(f.from) && stands(f.to)) {
      if (partOfCopy(f.to, f.from)) removeOwn(f.to, true);
      return kBack.arg(shown(f.from));
    }
    if (stands(f.to)) {
      if (asideStands) removeOwn(f.aside, false);
      return kMoved.arg(shown(f.from), shown(f.to));
    }
    if (!stands(f.to.parent_path())) fail(kUnreachable.arg(shown(f.to.parent_path())));
    // The copy was taken away since: what is left of the source is all there is.
    if (asideStands && !stands(f.from)) renameBack(f.aside, f.from);
    return whereNow(f);
  }
  if (!f.temp.empty()) {
    const fs::path source = asideStands ? f.aside : f.from;
    if (stands(f.temp)) {
      if (stands(source) && partOfCopy(f.temp, source)) removeOwn(f.temp, true);
    } else if (!stands(f.temp.parent_path())) {
      // What was copied may still stand where it cannot be reached now: removed next time.
      keep = true;
    }
  }
  if (asideStands && !stands(f.from)) {
    // Killed between giving the copy its name and writing that down: the copy is whole.
    if (stands(f.to) && sameTree(f.aside, f.to)) {
      // Written down first: once the source is part removed, only the record still knows.
      MoveRecord::append(record, "placed");
      removeOwn(f.aside, false);
      return kMoved.arg(shown(f.from), shown(f.to));
    }
    renameBack(f.aside, f.from);
  }
  return whereNow(f);
}

QString putRight(const Facts& f, const fs::path& record, bool& keep) {
  // A link rewritten in one step: the new one was made, and may not have taken the old's place.
  if (f.relink && isLinkTo(f.relink->fresh, f.relink->target)) {
    if (const int e = removeEntry(f.relink->fresh, false))
      fail(QStringLiteral("Could not remove %1: %2").arg(shown(f.relink->fresh), reason(e)));
  }
  if (f.kind == "copy") return copyPutRight(f);
  if (f.linkTarget) return linkPutRight(f);
  if (f.across) return acrossPutRight(f, record, keep);
  return whereNow(f);
}

}  // namespace

QStringList recover() {
  QStringList told;
  for (const MoveRecord::Record& record : MoveRecord::left()) {
    const std::optional<Facts> facts = factsOf(record);
    try {
      // A record cut short before its first line ended announced no step.
      if (!facts) {
        MoveRecord::remove(record.file);
        continue;
      }
      bool keep = false;
      const QString line = putRight(*facts, record.file, keep);
      if (!keep) MoveRecord::remove(record.file);
      if (!line.isEmpty()) told << line;
    } catch (const IOException& error) {
      if (facts) told << kUnresolved.arg(shown(facts->from), error.message());
    }
  }
  return told;
}

}  // namespace MoveRecovery
