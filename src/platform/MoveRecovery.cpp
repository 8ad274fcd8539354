#include "platform/MoveRecovery.h"

#include <sys/stat.h>

#include <algorithm>
#include <optional>
#include <string>
#include <system_error>

#include "common/RuntimeException.h"
#include "platform/EntryTree.h"
#include "platform/MoveRecord.h"

namespace MoveRecovery {
namespace {

using namespace EntryTree;

// Said once, when put right.
const QString kBack = QStringLiteral("%1 is back where it was.");
const QString kMoved = QStringLiteral("%1 has been moved as asked: it is now %2.");
const QString kGone = QStringLiteral("%1 is neither where it was nor at %2: it was taken away since.");
const QString kCopyRemoved = QStringLiteral("%1 was not copied to %2; the unfinished copy has been removed.");
const QString kNotCopied = QStringLiteral("%1 was not copied to %2.");
const QString kLeftCopyRemoved = QStringLiteral("The unfinished copy of %1 at %2 has been removed.");
// Said at every start, until put right.
const QString kCopyAway = QStringLiteral(
    "An unfinished copy of %1 may be left at %2, which cannot be reached now. Tavelin removes it once it can.");
const QString kFragmentKept = QStringLiteral(
    "%1 is neither where it was nor at %2: it was taken away since. What had been copied of it is kept at %3; remove "
    "that once you no longer need it.");
const QString kUnresolved = QStringLiteral("%1 could not be put right: %2 Tavelin tries again at its next start.");
const QString kUnreachable = QStringLiteral("%1 cannot be reached now.");
const QString kNoNameBack = QStringLiteral("%1 could not get its name back from %2: %3.");
// Records left alone.
const QString kForeign = QStringLiteral("%1 was not written for these palettes.");
const QString kStrange = QStringLiteral("%1 names %2, which is not one of Tavelin's own.");

const std::string kPicturesFolder = "ButtonPictures";

struct Relink {
  fs::path fresh, link, target, former;
};

// What a record tells of its move: each step's line is written before the step.
struct Facts {
  std::string kind;  // "move", "copy" or "delete"
  fs::path from, to;
  Identity source;
  std::optional<Identity> copy;  // the copy, once it stood
  bool across = false, placed = false, undo = false, back = false;
  std::vector<fs::path> asides, temps, aims;
  std::optional<fs::path> linkTarget;
  std::vector<Relink> relinks;
};

// A record read: its facts, or why it is not acted on; neither when it was stopped before
// its first lines were whole, so that no step began.
struct Reading {
  std::optional<Facts> facts;
  QString refusal;
};

struct Result {
  QStringList once, eachTime;
  bool keep = false;
};

Result once(const QString& line) { return Result{{line}, {}, false}; }

// Below the folder, by a path that says so plainly: from the root, without "." or "..".
bool below(const fs::path& p, const fs::path& folder) {
  if (folder.empty() || !p.is_absolute() || p != p.lexically_normal() || p.filename().empty()) return false;
  const fs::path inside = p.lexically_relative(folder);
  return !inside.empty() && *inside.begin() != ".." && inside != ".";
}

std::optional<Identity> folderIdentity(const fs::path& folder) {
  struct stat st {};
  if (::stat(folder.c_str(), &st) != 0) return std::nullopt;
  return identityOf(st);
}

Reading read(const MoveRecord::Record& record, const fs::path& desktop) {
  const auto& lines = record.lines;
  if (lines.size() < 3) return {};
  const auto foreign = [&] { return Reading{std::nullopt, kForeign.arg(shown(record.file))}; };
  const auto strange = [&](const fs::path& p) { return Reading{std::nullopt, kStrange.arg(shown(record.file), shown(p))}; };

  Facts f;
  const MoveRecord::Line& what = lines[0];
  const MoveRecord::Line& data = lines[1];
  const MoveRecord::Line& source = lines[2];
  if ((what.verb != "move" && what.verb != "copy" && what.verb != "delete") || what.words.size() != 2) return foreign();
  const fs::path& dataFolder = MoveRecord::dataFolder();
  if (data.verb != "data" || data.words.size() != 2 || data.words[0] != dataFolder) return foreign();
  const std::optional<Identity> dataId = identityFromWord(data.words[1].native());
  if (!dataId || dataId != folderIdentity(dataFolder)) return foreign();
  const std::optional<Identity> sourceId =
      source.words.size() == 1 ? identityFromWord(source.words[0].native()) : std::nullopt;
  if (source.verb != "source" || !sourceId) return foreign();
  f.kind = what.verb;
  f.from = what.words[0];
  f.to = what.words[1];
  f.source = *sourceId;

  const auto ours = [&](const fs::path& p) { return below(p, dataFolder) || below(p, desktop); };
  // Nothing is ever taken from where a copy was made from; a move and a deletion take only
  // from the program's folders, and the deletion only a palette's picture folder.
  if (f.kind == "delete" && f.from.parent_path() != dataFolder / kPicturesFolder) return strange(f.from);
  if (f.kind != "copy" && !ours(f.from)) return strange(f.from);
  if (!ours(f.to)) return strange(f.to);

  for (size_t i = 3; i < lines.size(); ++i) {
    const std::string& verb = lines[i].verb;
    const std::vector<fs::path>& w = lines[i].words;
    if (verb == "across" && w.empty()) f.across = true;
    else if (verb == "placed" && w.empty()) f.placed = true;
    else if (verb == "undo" && w.empty()) f.undo = true;
    else if (verb == "back" && w.empty()) f.back = true;
    else if (verb == "aside" && w.size() == 1) {
      if (!isNameBeside(w[0], f.from, kAsideTag)) return strange(w[0]);
      f.asides.push_back(w[0]);
    } else if (verb == "temp" && w.size() == 1) {
      if (!isNameBeside(w[0], f.to, kCopyTag)) return strange(w[0]);
      f.temps.push_back(w[0]);
      f.copy.reset();
    } else if (verb == "made" && w.size() == 1 && identityFromWord(w[0].native())) {
      f.copy = identityFromWord(w[0].native());
    } else if (verb == "link" && w.size() == 1) {
      f.linkTarget = w[0];
    } else if (verb == "relink" && w.size() == 4) {
      if (!below(w[1], f.from) || !isFreshLinkName(w[0], w[1])) return strange(w[1]);
      f.relinks.push_back({w[0], w[1], w[2], w[3]});
    } else if (verb == "aim" && w.size() == 1) {
      if (!below(w[0], desktop)) return strange(w[0]);
      f.aims.push_back(w[0]);
    } else {
      return foreign();
    }
  }
  return Reading{f, {}};
}

bool isSource(const Facts& f, const fs::path& p) { return identityOf(p) == std::optional<Identity>(f.source); }
bool isCopy(const Facts& f, const fs::path& p) { return f.copy && identityOf(p) == f.copy; }

void removeOwn(const fs::path& p, bool ownCopy) {
  removeTree(p, ownCopy);
  syncFolder(p.parent_path());
}

void removeLink(const fs::path& p) {
  if (const int e = removeEntry(p, false)) fail(QStringLiteral("Could not remove %1: %2").arg(shown(p), reason(e)));
  syncFolder(p.parent_path());
}

void renameBack(const fs::path& aside, const fs::path& from) {
  if (const int e = renameNoReplace(aside, from)) fail(kNoNameBack.arg(shown(from), shown(aside), reason(e)));
  syncFolder(from.parent_path());
}

// An entry under one of the program's names that is not what the record says it made: the
// record is then left alone.
struct NotOurs {
  fs::path entry;
};

// The entries beside the source's place that bear the names it is put aside under.
std::vector<fs::path> asideNamed(const Facts& f) {
  std::vector<fs::path> named;
  try {
    for (const fs::path& entry : entriesOf(f.from.parent_path()))
      if (isNameBeside(entry, f.from, kAsideTag)) named.push_back(entry);
  } catch (const IOException&) {
  }
  return named;
}

// The source put aside: found by what identifies it, so also where the line that named it
// was cut short.
std::optional<fs::path> asideOf(const Facts& f) {
  for (const fs::path& entry : asideNamed(f))
    if (isSource(f, entry)) return entry;
  return std::nullopt;
}

// The source is neither in its place nor aside: an entry where the record put it aside is
// another's.
void requireNoStrangeAside(const Facts& f) {
  for (const fs::path& aside : f.asides)
    if (stands(aside)) throw NotOurs{aside};
}

// Before the copy's identity was written down it stood empty: only then is one without it ours.
bool emptyAsMade(const fs::path& p) {
  struct stat st {};
  if (!lstatOk(p, st)) return false;
  if (S_ISREG(st.st_mode)) return st.st_size == 0;
  try {
    return S_ISDIR(st.st_mode) && entriesOf(p).empty();
  } catch (const IOException&) {
    return false;
  }
}

enum class CopyLeft { None, Removed, Away };

// The unfinished copy beside the destination goes when it is provably the one the move made.
CopyLeft dropUnfinishedCopy(const Facts& f) {
  if (f.temps.empty()) return CopyLeft::None;
  const fs::path& temp = f.temps.back();
  if (!stands(temp)) return stands(temp.parent_path()) ? CopyLeft::None : CopyLeft::Away;
  if (!isCopy(f, temp) && (f.copy || !emptyAsMade(temp))) throw NotOurs{temp};
  removeOwn(temp, true);
  return CopyLeft::Removed;
}

// A link rewritten in one step was first made under a name of its own, which may not have
// taken the old one's place.
void removeFreshLinks(const Facts& f) {
  for (const Relink& r : f.relinks)
    if (isLinkTo(r.fresh, r.target)) removeLink(r.fresh);
}

// The links inside a folder that did not move are given back the targets the user gave them.
void restoreLinks(const Facts& f, const fs::path& record) {
  std::vector<fs::path> done;
  for (const Relink& first : f.relinks) {
    if (std::find(done.begin(), done.end(), first.link) != done.end()) continue;
    done.push_back(first.link);
    std::error_code ec;
    struct stat st {};
    if (!lstatOk(first.link, st) || !S_ISLNK(st.st_mode)) continue;
    const fs::path now = fs::read_symlink(first.link, ec);
    const bool ofOurs = std::any_of(f.relinks.begin(), f.relinks.end(),
                                    [&](const Relink& r) { return r.link == first.link && r.target == now; });
    if (ec || now == first.former || !ofOurs) continue;
    retarget(first.link, first.former, [&](const fs::path& fresh) {
      MoveRecord::append(record, "relink", {fresh, first.link, first.former, now});
    });
  }
}

QString whereNow(const Facts& f) {
  if (isSource(f, f.from)) return kBack.arg(shown(f.from));
  if (isSource(f, f.to) || isCopy(f, f.to)) return kMoved.arg(shown(f.from), shown(f.to));
  return kGone.arg(shown(f.from), shown(f.to));
}

Result linkMoved(const Facts& f) {
  const bool made = isLinkTo(f.to, *f.linkTarget);
  const bool left = isSource(f, f.from);
  if (!left && stands(f.from)) throw NotOurs{f.from};
  if (made && left) removeLink(f.from);
  if (made) return once(kMoved.arg(shown(f.from), shown(f.to)));
  return once(left ? kBack.arg(shown(f.from)) : kGone.arg(shown(f.from), shown(f.to)));
}

// A move to another file system: finished once its verified copy had its real name, undone
// before that.
Result acrossMoved(const Facts& f, const fs::path& record) {
  const std::optional<fs::path> aside = asideOf(f);
  if (isCopy(f, f.to)) {
    if (f.placed && f.undo && isSource(f, f.from)) {
      // The source was made whole again and had its name back; only the copy was still to go.
      if (partOfCopy(f.to, f.from)) removeOwn(f.to, true);
      restoreLinks(f, record);
      return once(kBack.arg(shown(f.from)));
    }
    if (f.placed || (aside && !stands(f.from) && sameTree(*aside, f.to))) {
      // Killed between giving the copy its name and writing that down, the copy is whole;
      // it is written down first, since once the source is part removed only the record knows.
      if (!f.placed) MoveRecord::append(record, "placed");
      if (aside) removeOwn(*aside, false);
      return once(kMoved.arg(shown(f.from), shown(f.to)));
    }
  } else if (f.placed && !stands(f.to) && !stands(f.to.parent_path())) {
    fail(kUnreachable.arg(shown(f.to.parent_path())));
  }
  if (!aside && !isSource(f, f.from)) {
    if (isCopy(f, f.to)) return once(kMoved.arg(shown(f.from), shown(f.to)));
    requireNoStrangeAside(f);
    // The source was taken away since: what was copied of it is all there is.
    if (!f.temps.empty() && stands(f.temps.back()) && isCopy(f, f.temps.back())) {
      Result r;
      r.eachTime << kFragmentKept.arg(shown(f.from), shown(f.to), shown(f.temps.back()));
      r.keep = true;
      return r;
    }
    return once(whereNow(f));
  }
  // Undone: what was copied so far goes, and the source gets its name back.
  const CopyLeft left = dropUnfinishedCopy(f);
  if (aside && !stands(f.from)) renameBack(*aside, f.from);
  restoreLinks(f, record);
  Result r;
  if (!f.back) r.once << kBack.arg(shown(f.from));
  if (left == CopyLeft::Away) {
    // Said once that it is back; what is left on a drive that is away, each time.
    if (!f.back) MoveRecord::append(record, "back");
    r.eachTime << kCopyAway.arg(shown(f.from), shown(f.temps.back()));
    r.keep = true;
  } else if (left == CopyLeft::Removed && f.back) {
    r.once << kLeftCopyRemoved.arg(shown(f.from), shown(f.temps.back()));
  }
  return r;
}

Result moved(const Facts& f, const fs::path& record) {
  removeFreshLinks(f);
  if (f.linkTarget) return linkMoved(f);
  if (f.across) return acrossMoved(f, record);
  // Within one file system the move is one rename, after the links inside were rewritten.
  if (isSource(f, f.from)) restoreLinks(f, record);
  return once(whereNow(f));
}

// Add Picture's copy: no part of it may stay in the picture folder.
Result copied(const Facts& f) {
  if (isCopy(f, f.to)) return {};
  const QString into = shown(f.to.parent_path());
  switch (dropUnfinishedCopy(f)) {
    case CopyLeft::Removed:
      return once(kCopyRemoved.arg(shown(f.from), into));
    case CopyLeft::Away: {
      Result r;
      r.eachTime << kCopyAway.arg(shown(f.from), shown(f.temps.back()));
      r.keep = true;
      return r;
    }
    case CopyLeft::None:
      break;
  }
  return once(kNotCopied.arg(shown(f.from), into));
}

// After every move is put right: a palette whose pictures have left its folder is deleted,
// one whose pictures are still there stays; one whose pictures stand aside waits.
std::optional<Deletion> deletionOf(const Facts& f, const fs::path& record) {
  Deletion d{shown(f.from.filename()), record, f.from, f.aims.empty() ? f.to : f.aims.back(), false};
  if (isSource(f, f.from)) return d;
  if (asideOf(f)) return std::nullopt;
  d.picturesGone = true;
  return d;
}

}  // namespace

Outcome recover(const fs::path& desktop) {
  Outcome outcome;
  MoveRecord::Found found = MoveRecord::left();
  outcome.notActedOn = found.unreadable;
  std::vector<std::pair<Facts, fs::path>> deletions;
  for (const MoveRecord::Record& record : found.records) {
    const Reading reading = read(record, desktop);
    if (!reading.refusal.isEmpty()) {
      outcome.notActedOn << reading.refusal;
      continue;
    }
    const std::optional<Facts>& facts = reading.facts;
    try {
      if (!facts) {
        // Stopped before its first lines were whole, it announced no step.
        MoveRecord::remove(record.file);
        continue;
      }
      if (facts->kind == "delete") {
        deletions.emplace_back(*facts, record.file);
        continue;
      }
      const Result result = facts->kind == "copy" ? copied(*facts) : moved(*facts, record.file);
      if (!result.keep) MoveRecord::remove(record.file);
      outcome.putRight << result.once;
      outcome.stillLeft << result.eachTime;
    } catch (const NotOurs& strange) {
      outcome.notActedOn << kStrange.arg(shown(record.file), shown(strange.entry));
    } catch (const IOException& error) {
      outcome.stillLeft << kUnresolved.arg(shown(facts ? facts->from : record.file), asSentence(error.message()));
    } catch (const std::exception& error) {
      outcome.stillLeft << kUnresolved.arg(shown(facts ? facts->from : record.file),
                                           asSentence(QString::fromLocal8Bit(error.what())));
    }
  }
  for (const auto& [facts, record] : deletions)
    if (std::optional<Deletion> d = deletionOf(facts, record)) outcome.deletions.push_back(std::move(*d));
  return outcome;
}

}  // namespace MoveRecovery
