#include "platform/MoveRecovery.h"

#include <sys/stat.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <set>
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
const QString kSaveRemoved = QStringLiteral(
    "An unfinished save of the palettes was left at %1; it has been removed, and the palettes are as they were "
    "last saved.");
// Said at every start, until put right.
const QString kCopyAway = QStringLiteral(
    "An unfinished copy of %1 may be left at %2, which cannot be reached now. Tavelin removes it once it can.");
const QString kFragmentKept = QStringLiteral(
    "%1 is neither where it was nor at %2: it was taken away since. What had been copied of it is kept at %3; remove "
    "that once you no longer need it.");
const QString kHalfLeft = QStringLiteral(
    "%1 was being moved to %2 when Tavelin was stopped, and the copy made there is no longer there: what is left of "
    "it stays at %3, and it may not be whole.");
const QString kUnresolved = QStringLiteral("%1 could not be put right: %2 Tavelin tries again at its next start.");
const QString kUnreachable = QStringLiteral("%1 cannot be reached now.");
const QString kNoNameBack = QStringLiteral("%1 could not get its name back from %2: %3.");
// Records left alone.
const QString kForeign = QStringLiteral("%1 was not written for these palettes.");
const QString kStrange = QStringLiteral("%1 names %2, which is not one of Tavelin's own.");
const QString kThroughLink =
    QStringLiteral("%1 names %2, which is reached through a link; Tavelin does not follow one there.");
const QString kSpent = QStringLiteral("%1 was written before the palettes were last saved, so it no longer acts.");
const QString kOwnEntries = QStringLiteral(" These entries under Tavelin's own names stay where they are: %1.");
// Records waiting for a start that holds the data folder.
const QString kWaiting = QStringLiteral("%1 was being %2 to %3.");
const QString kWaitingSave = QStringLiteral("The palettes were being saved to %1.");

const std::string kPicturesFolder = "ButtonPictures";
const std::string kDeletedFolder = "DeletedPalettePictures";
const std::string kStateFile = "PreserveState.txt";
const std::string kAsReadPrefix = "PreserveState-as-read-";

struct Relink {
  fs::path fresh, link, target, former;
};

// What a record tells of its move: each step's line is written before the step.
struct Facts {
  std::string kind;  // "move", "copy", "delete" or "save"
  fs::path from, to, desktop, record;
  long long recordBirth = 0, recordModified = 0;
  std::optional<Identity> source;
  std::optional<std::string> state;  // a deletion: the state file it was written against
  bool failed = false;               // a deletion that did not happen: only its move is left
  bool across = false, placed = false, undo = false, back = false;
  std::vector<fs::path> asides, temps, aims, placeholders;
  std::vector<std::pair<fs::path, fs::path>> linked;
  std::optional<Identity> copy;  // the copy, once it stood
  std::optional<fs::path> linkTarget;
  std::vector<Relink> relinks;

  // Where the move was last sent: a deletion that found its name taken goes one level deeper.
  fs::path target() const { return aims.empty() ? to : aims.back(); }
  bool decidesPalette() const { return kind == "delete" && !failed; }
};

// A record read: its facts, and why it is not acted on where it is not; no facts when it was
// stopped before its first lines were whole, so that no step began.
struct Reading {
  std::optional<Facts> facts;
  QString refusal;
};

enum class Where { Back, Moved, Gone, Unknown };

struct Result {
  QStringList once, eachTime;
  bool keep = false;
  bool acted = false;  // an entry was renamed or removed
  Where where = Where::Unknown;
};

Result said(Where where, const QString& line, bool acted = false) { return Result{{line}, {}, false, acted, where}; }

// Below the folder, by a path that says so plainly: from the root, without "." or "..".
bool below(const fs::path& p, const fs::path& folder) {
  if (folder.empty() || !p.is_absolute() || p != p.lexically_normal() || p.filename().empty()) return false;
  const fs::path inside = p.lexically_relative(folder);
  return !inside.empty() && *inside.begin() != ".." && inside != ".";
}

bool isPaletteName(const std::string& name) {
  return name.size() >= 3 && name[0] == 'P' &&
         std::all_of(name.begin() + 1, name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The folder on the way from the anchor to the entry that is not a plain folder, a link above
// all: the entry is then reached only by following it. Nothing when the way is plain or ends
// early, so that the entry is absent; raises when it cannot be looked at.
std::optional<fs::path> notPlainOnTheWay(const fs::path& anchor, const fs::path& p) {
  fs::path at = anchor;
  const fs::path inside = p.lexically_relative(anchor);
  for (auto part = inside.begin(); part != inside.end() && std::next(part) != inside.end(); ++part) {
    at /= *part;
    struct stat st {};
    if (!lstatOk(at, st)) {
      if (errno == ENOENT) return std::nullopt;
      fail(QStringLiteral("Could not look at %1: %2").arg(shown(at), reason(errno)));
    }
    if (!S_ISDIR(st.st_mode)) return at;
  }
  return std::nullopt;
}

// The places a kind of move acts in; the first path of the record outside them, if any.
std::optional<fs::path> outOfPlace(const Facts& f, const fs::path& data) {
  const fs::path pictures = data / kPicturesFolder;
  const fs::path deleted = f.desktop / kDeletedFolder;
  const auto paletteFolder = [&](const fs::path& p) {
    return p.parent_path() == pictures && isPaletteName(p.filename().native());
  };
  // A palette's folder sent to the Desktop lands under its name, or one level deeper in a
  // folder named by a time stamp and that name.
  const auto sentFolder = [&](const fs::path& p, const fs::path& name) {
    if (p.filename() != name) return false;
    if (p.parent_path() == deleted) return true;
    const std::string stamped = p.parent_path().filename().native();
    return p.parent_path().parent_path() == deleted && stamped.size() > name.native().size() &&
           stamped.ends_with(name.native());
  };
  // A picture goes to the Desktop itself, or to the palette's folder of removed pictures there.
  const auto sentPicture = [&](const fs::path& p) {
    return p.parent_path() == f.desktop || p.parent_path() == deleted / f.from.parent_path().filename();
  };

  // Nothing is ever sent into the data folder, where the palettes and the records are kept.
  const bool sends = f.kind == "move" || f.kind == "delete";
  if (sends && (f.desktop.empty() || f.desktop == data || below(f.desktop, data))) return f.desktop;
  const bool movedFolder = paletteFolder(f.from);
  if (f.kind == "delete" || (f.kind == "move" && movedFolder)) {
    if (!movedFolder) return f.from;
    if (f.to != deleted / f.from.filename()) return f.to;
    for (const fs::path& aim : f.aims)
      if (!sentFolder(aim, f.from.filename())) return aim;
  } else if (f.kind == "move") {
    if (!paletteFolder(f.from.parent_path())) return f.from;
    if (!sentPicture(f.to)) return f.to;
    if (!f.aims.empty()) return f.aims.front();
  } else if (f.kind == "copy") {
    const std::string name = f.to.filename().native();
    const bool keptStateFile = f.to.parent_path() == data && name.starts_with(kAsReadPrefix) && name.ends_with(".txt");
    if (!paletteFolder(f.to.parent_path()) && !keptStateFile) return f.to;
    if (!f.aims.empty()) return f.aims.front();
  } else {
    std::error_code ec;
    const fs::path real = fs::canonical(data / kStateFile, ec);
    if (f.from != f.to || (f.to != data / kStateFile && (ec || f.to != real))) return f.to;
    if (!f.aims.empty() || !f.asides.empty()) return f.to;
  }
  return std::nullopt;
}

// Every path the record would act on, and the folder each is reached from.
std::vector<std::pair<fs::path, fs::path>> actedOn(const Facts& f, const fs::path& data) {
  if (f.kind == "save") return {};  // only beside the state file, in its own folder
  std::vector<std::pair<fs::path, fs::path>> paths;
  const fs::path toSide = f.kind == "copy" ? data : f.desktop;
  if (f.kind != "copy") paths.emplace_back(data, f.from);
  for (const fs::path& aside : f.asides) paths.emplace_back(data, aside);
  for (const Relink& r : f.relinks) {
    paths.emplace_back(data, r.link);
    paths.emplace_back(data, r.fresh);
  }
  paths.emplace_back(toSide, f.to);
  for (const fs::path& aim : f.aims) paths.emplace_back(toSide, aim);
  for (const fs::path& temp : f.temps) paths.emplace_back(toSide, temp);
  return paths;
}

// Each name the record gives an entry of its own, and those it is told to act on, lies where
// the record's own move puts it.
std::optional<fs::path> strangeName(const Facts& f) {
  std::vector<fs::path> allowed{f.from, f.to};
  allowed.insert(allowed.end(), f.aims.begin(), f.aims.end());
  allowed.insert(allowed.end(), f.asides.begin(), f.asides.end());
  allowed.insert(allowed.end(), f.temps.begin(), f.temps.end());
  const auto known = [&](const fs::path& p) { return std::find(allowed.begin(), allowed.end(), p) != allowed.end(); };
  for (const fs::path& p : f.placeholders)
    if (!known(p)) return p;
  for (const auto& [a, b] : f.linked)
    if (!known(a) || !known(b)) return known(a) ? b : a;
  return std::nullopt;
}

std::optional<std::string> wordOf(const MoveRecord::Line& line) {
  if (line.words.size() != 1) return std::nullopt;
  return line.words[0].native();
}

Reading read(const MoveRecord::Record& record, const fs::path& currentDesktop) {
  const auto& lines = record.lines;
  if (lines.size() < 3) return {};
  const auto foreign = [&] { return Reading{std::nullopt, kForeign.arg(shown(record.file))}; };

  Facts f;
  f.record = record.file;
  f.recordBirth = record.birth;
  f.recordModified = record.modified;
  const MoveRecord::Line& what = lines[0];
  const MoveRecord::Line& data = lines[1];
  const MoveRecord::Line& source = lines[2];
  if ((what.verb != "move" && what.verb != "copy" && what.verb != "delete" && what.verb != "save") ||
      what.words.size() != 2)
    return foreign();
  f.kind = what.verb;
  f.from = what.words[0];
  f.to = what.words[1];
  if (source.verb != "source") return foreign();
  const std::optional<std::string> sourceWord = wordOf(source);
  if (sourceWord && *sourceWord == "none" && f.kind == "save") {
  } else if (const auto id = sourceWord ? identityFromWord(*sourceWord) : std::nullopt) {
    f.source = id;
  } else {
    return foreign();
  }
  f.desktop = currentDesktop;

  fs::path target = f.to;
  for (size_t i = 3; i < lines.size(); ++i) {
    const std::string& verb = lines[i].verb;
    const std::vector<fs::path>& w = lines[i].words;
    if (verb == "desktop" && w.size() == 1 && i == 3) f.desktop = w[0];
    else if (verb == "state" && w.size() == 1) f.state = w[0].native();
    else if (verb == "failed" && w.empty()) f.failed = true;
    else if (verb == "across" && w.empty()) f.across = true;
    else if (verb == "placed" && w.empty()) f.placed = true;
    else if (verb == "undo" && w.empty()) f.undo = true;
    else if (verb == "back" && w.empty()) f.back = true;
    else if (verb == "aside" && w.size() == 1) {
      if (!isNameBeside(w[0], f.from, kAsideTag)) return Reading{std::nullopt, kStrange.arg(shown(record.file), shown(w[0]))};
      f.asides.push_back(w[0]);
    } else if (verb == "temp" && w.size() == 1) {
      if (!isNameBeside(w[0], target, f.kind == "save" ? kSaveTag : kCopyTag))
        return Reading{std::nullopt, kStrange.arg(shown(record.file), shown(w[0]))};
      f.temps.push_back(w[0]);
      f.copy.reset();
    } else if (verb == "made" && wordOf(lines[i]) && identityFromWord(*wordOf(lines[i]))) {
      f.copy = identityFromWord(*wordOf(lines[i]));
    } else if (verb == "link" && w.size() == 1) {
      f.linkTarget = w[0];
    } else if (verb == "relink" && w.size() == 4) {
      if (!below(w[1], f.from) || !isFreshLinkName(w[0], w[1]))
        return Reading{std::nullopt, kStrange.arg(shown(record.file), shown(w[1]))};
      f.relinks.push_back({w[0], w[1], w[2], w[3]});
    } else if (verb == "aim" && w.size() == 1) {
      // A second attempt, under another name: nothing of the first is left but its record.
      f.aims.push_back(w[0]);
      target = w[0];
      f.across = f.placed = f.undo = false;
      f.copy.reset();
    } else if (verb == "linked" && w.size() == 2) {
      f.linked.emplace_back(w[0], w[1]);
    } else if (verb == "placeholder" && w.size() == 1) {
      f.placeholders.push_back(w[0]);
    } else {
      return foreign();
    }
  }

  // Written for this data folder, as it is: another, or this one restored or copied, holds
  // other entries under the same names.
  const fs::path& dataFolder = MoveRecord::dataFolder();
  const std::optional<Identity> dataId = data.words.size() == 2 ? identityFromWord(data.words[1].native()) : std::nullopt;
  if (data.verb != "data" || data.words.size() != 2 || data.words[0] != dataFolder || !dataId ||
      dataId != folderIdentity(dataFolder))
    return Reading{f, kForeign.arg(shown(record.file))};
  if (const std::optional<fs::path> p = outOfPlace(f, dataFolder))
    return Reading{f, kStrange.arg(shown(record.file), shown(*p))};
  if (const std::optional<fs::path> p = strangeName(f)) return Reading{f, kStrange.arg(shown(record.file), shown(*p))};
  for (const auto& [anchor, p] : actedOn(f, dataFolder)) {
    if (!below(p, anchor)) return Reading{f, kStrange.arg(shown(record.file), shown(p))};
    if (const std::optional<fs::path> link = notPlainOnTheWay(anchor, p))
      return Reading{f, kThroughLink.arg(shown(record.file), shown(*link))};
  }
  return Reading{f, {}};
}

// --- What identifies the entries ---

// Made by the move: an entry is never older than the record that announced it.
bool bornAfterRecord(const Facts& f, const Identity& id) {
  return f.recordBirth == 0 || id.birth == 0 || id.birth >= f.recordBirth;
}

bool isSource(const Facts& f, const fs::path& p) { return f.source && identityOf(p) == f.source; }

bool isMade(const Facts& f, const fs::path& p, const Identity& made) {
  const std::optional<Identity> id = identityOf(p);
  return id && *id == made && bornAfterRecord(f, *id);
}

bool isCopy(const Facts& f, const fs::path& p) { return f.copy && isMade(f, p, *f.copy); }

// Before its identity was written down it stood empty: only then is one without it ours.
bool emptyAsMade(const Facts& f, const fs::path& p) {
  const std::optional<Identity> id = identityOf(p);
  if (!id || !bornAfterRecord(f, *id)) return false;
  const struct stat st = statOf(p);
  if (S_ISREG(st.st_mode)) return st.st_size == 0;
  return S_ISDIR(st.st_mode) && entriesOf(p).empty();
}

// --- Steps ---

void removeOwn(const fs::path& p, bool ownCopy) {
  removeTree(p, ownCopy);
  syncFolder(p.parent_path());
}

void removeName(const fs::path& p) {
  if (const int e = removeEntry(p, false)) fail(QStringLiteral("Could not remove %1: %2").arg(shown(p), reason(e)));
  syncFolder(p.parent_path());
}

void renameBack(const fs::path& aside, const fs::path& from, const fs::path& record) {
  const Announce announce = [&](const std::string& verb, const std::vector<fs::path>& paths) {
    MoveRecord::append(record, verb, paths);
  };
  if (const int e = renameNoReplace(aside, from, announce)) fail(kNoNameBack.arg(shown(from), shown(aside), reason(e)));
}

// An entry under one of the program's names that is not what the record says it made: the
// record is then left alone.
struct NotOurs {
  fs::path entry;
};

// The entries beside the source's place that bear the names it is put aside under. A folder
// that cannot be listed proves nothing: that raises.
std::vector<fs::path> asideNamed(const Facts& f) {
  std::vector<fs::path> named;
  if (!standsKnown(f.from.parent_path())) return named;
  for (const fs::path& entry : entriesOf(f.from.parent_path()))
    if (isNameBeside(entry, f.from, kAsideTag)) named.push_back(entry);
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
    if (standsKnown(aside)) throw NotOurs{aside};
}

// A rename on a file system without one that refuses an existing name took two steps, and
// the stop fell between them: a second name of the same entry goes, or the empty entry that
// held the name for it.
bool settleRenames(const Facts& f) {
  bool acted = false;
  for (const auto& [first, second] : f.linked) {
    const std::optional<Identity> a = identityOf(first), b = identityOf(second);
    if (a && b && a->device == b->device && a->inode == b->inode) {
      removeName(first);
      acted = true;
    }
  }
  for (const fs::path& held : f.placeholders) {
    if (!standsKnown(held) || isSource(f, held) || isCopy(f, held) || !emptyAsMade(f, held)) continue;
    removeOwn(held, true);
    acted = true;
  }
  return acted;
}

enum class CopyLeft { None, Removed, Away };

// The unfinished copy beside the destination goes when it is provably the one the move made.
CopyLeft dropUnfinishedCopy(const Facts& f) {
  if (f.temps.empty()) return CopyLeft::None;
  const fs::path& temp = f.temps.back();
  if (!standsKnown(temp)) return standsKnown(temp.parent_path()) ? CopyLeft::None : CopyLeft::Away;
  if (!isCopy(f, temp) && (f.copy || !emptyAsMade(f, temp))) throw NotOurs{temp};
  removeOwn(temp, true);
  return CopyLeft::Removed;
}

// A link rewritten in one step was first made under a name of its own, which may not have
// taken the old one's place.
void removeFreshLinks(const Facts& f) {
  for (const Relink& r : f.relinks) {
    if (!isLinkTo(r.fresh, r.target)) continue;
    const std::optional<Identity> id = identityOf(r.fresh);
    if (id && bornAfterRecord(f, *id)) removeName(r.fresh);
  }
}

// The links inside a folder that did not move are given back the targets the user gave them.
void restoreLinks(const Facts& f) {
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
    // Only a link the move wrote: the user's own was never rewritten, so it is born before.
    const std::optional<Identity> id = identityOf(first.link);
    if (ec || now == first.former || !ofOurs || !id || !bornAfterRecord(f, *id)) continue;
    retarget(first.link, first.former, [&](const fs::path& fresh) {
      MoveRecord::append(f.record, "relink", {fresh, first.link, first.former, now});
    });
  }
}

// The folder a deletion made to send the palette's folder one level deeper goes again with
// the move, while it is still empty.
void removeFolderMadeForIt(const Facts& f) {
  for (const fs::path& aim : f.aims) {
    const fs::path made = aim.parent_path();
    if (standsKnown(made) && S_ISDIR(statOf(made).st_mode) && emptyAsMade(f, made)) removeOwn(made, false);
  }
}

Result backWhere(const Facts& f, bool acted) {
  restoreLinks(f);
  removeFolderMadeForIt(f);
  return said(Where::Back, kBack.arg(shown(f.from)), acted);
}

// Taken away since: neither the entry nor what was made of it stands where the move left it,
// and whatever stands in its place is another's.
Result gone(const Facts& f, bool acted) {
  if (standsKnown(f.from)) throw NotOurs{f.from};
  return said(Where::Gone, kGone.arg(shown(f.from), shown(f.target())), acted);
}

Result whereNow(const Facts& f, bool acted) {
  if (isSource(f, f.from)) return backWhere(f, acted);
  if (isSource(f, f.target()) || isCopy(f, f.target()))
    return said(Where::Moved, kMoved.arg(shown(f.from), shown(f.target())), acted);
  return gone(f, acted);
}

Result linkMoved(const Facts& f, bool acted) {
  const fs::path target = f.target();
  const std::optional<Identity> made = identityOf(target);
  const bool there = isLinkTo(target, *f.linkTarget) && made && bornAfterRecord(f, *made);
  const bool left = isSource(f, f.from);
  if (!left && standsKnown(f.from)) throw NotOurs{f.from};
  if (there && left) {
    removeName(f.from);
    acted = true;
  }
  if (there) return said(Where::Moved, kMoved.arg(shown(f.from), shown(target)), acted);
  if (left) return said(Where::Back, kBack.arg(shown(f.from)), acted);
  return gone(f, acted);
}

// A move to another file system: finished once its verified copy had its real name, undone
// before that.
Result acrossMoved(const Facts& f, bool acted) {
  const fs::path target = f.target();
  const std::optional<fs::path> aside = asideOf(f);
  const bool home = isSource(f, f.from);
  if (isCopy(f, target)) {
    if (f.placed && f.undo && home) {
      // The source was made whole again and had its name back; only the copy was still to go.
      if (partOfCopy(target, f.from)) removeOwn(target, true);
      return backWhere(f, true);
    }
    if (f.placed || (aside && !standsKnown(f.from) && sameTree(*aside, target))) {
      // Killed between giving the copy its name and writing that down, the copy is whole;
      // it is written down first, since once the source is part removed only the record knows.
      if (!f.placed) MoveRecord::append(f.record, "placed");
      if (aside) removeOwn(*aside, false);
      return said(Where::Moved, kMoved.arg(shown(f.from), shown(target)), acted || aside);
    }
  } else if (f.placed) {
    if (!standsKnown(target.parent_path())) fail(kUnreachable.arg(shown(target.parent_path())));
    // Made whole again from the copy and compared with it before it had its name back.
    if (f.undo && home) return backWhere(f, acted);
    // Once the copy had its name the source was being removed: without the copy, nothing
    // shows that what is left of it is whole.
    if (aside || home) {
      Result r;
      r.eachTime << kHalfLeft.arg(shown(f.from), shown(target), shown(aside ? *aside : f.from));
      r.keep = true;
      r.acted = acted;
      return r;
    }
    return gone(f, acted);
  }
  if (!aside && !home) {
    if (isCopy(f, target)) return said(Where::Moved, kMoved.arg(shown(f.from), shown(target)), acted);
    requireNoStrangeAside(f);
    // The source was taken away since: what was copied of it is all there is.
    if (!f.temps.empty() && standsKnown(f.temps.back()) && isCopy(f, f.temps.back())) {
      Result r;
      r.eachTime << kFragmentKept.arg(shown(f.from), shown(target), shown(f.temps.back()));
      r.keep = true;
      r.acted = acted;
      return r;
    }
    return whereNow(f, acted);
  }
  // Undone: what was copied so far goes, and the source gets its name back.
  const CopyLeft left = dropUnfinishedCopy(f);
  if (aside && !standsKnown(f.from)) renameBack(*aside, f.from, f.record);
  Result r = backWhere(f, acted || left == CopyLeft::Removed || aside);
  if (f.back) r.once.clear();
  if (left == CopyLeft::Away) {
    // Said once that it is back; what is left on a drive that is away, each time.
    if (!f.back) MoveRecord::append(f.record, "back");
    r.eachTime << kCopyAway.arg(shown(f.from), shown(f.temps.back()));
    r.keep = true;
  } else if (left == CopyLeft::Removed && f.back) {
    r.once << kLeftCopyRemoved.arg(shown(f.from), shown(f.temps.back()));
  }
  return r;
}

Result moved(const Facts& f) {
  const bool acted = settleRenames(f);
  removeFreshLinks(f);
  if (f.linkTarget) return linkMoved(f, acted);
  if (f.across) return acrossMoved(f, acted);
  // Within one file system the move is one rename, after the links inside were rewritten.
  return whereNow(f, acted);
}

// Add Picture's copy: no part of it may stay in the picture folder.
Result copied(const Facts& f) {
  settleRenames(f);
  if (isCopy(f, f.to)) return Result{{}, {}, false, false, Where::Moved};
  const QString into = shown(f.to.parent_path());
  switch (dropUnfinishedCopy(f)) {
    case CopyLeft::Removed:
      return said(Where::Back, kCopyRemoved.arg(shown(f.from), into), true);
    case CopyLeft::Away: {
      Result r;
      r.eachTime << kCopyAway.arg(shown(f.from), shown(f.temps.back()));
      r.keep = true;
      return r;
    }
    case CopyLeft::None:
      break;
  }
  return said(Where::Back, kNotCopied.arg(shown(f.from), into));
}

// A save stopped before its new file had the state file's name leaves that file beside it.
Result saved(const Facts& f) {
  if (f.temps.empty() || !standsKnown(f.temps.back())) return Result{{}, {}, false, false, Where::Moved};
  const fs::path& temp = f.temps.back();
  if (!isCopy(f, temp) && (f.copy || !emptyAsMade(f, temp))) throw NotOurs{temp};
  removeOwn(temp, false);
  return said(Where::Back, kSaveRemoved.arg(shown(temp)), true);
}

// A deletion acts only on the palettes as they were saved when it was written: a save since
// holds the list it left, so the record is spent.
bool spent(const Facts& f) {
  const fs::path state = MoveRecord::dataFolder() / kStateFile;
  if (f.state) return *f.state != stampOf(state);
  // Written before records noted the state file: spent when the file was written after it.
  struct stat st {};
  return ::stat(state.c_str(), &st) == 0 && modifiedOf(st) > f.recordModified;
}

// The entries under the program's own names that the record names, or that stand where it
// puts the source aside, and that stand now.
std::vector<fs::path> ownEntriesStanding(const Facts& f) {
  std::vector<fs::path> named = f.asides;
  named.insert(named.end(), f.temps.begin(), f.temps.end());
  for (const Relink& r : f.relinks) named.push_back(r.fresh);
  try {
    for (const fs::path& p : asideNamed(f)) named.push_back(p);
  } catch (const IOException&) {
  }
  std::vector<fs::path> standing;
  for (const fs::path& p : named) {
    const std::string name = p.filename().native();
    if ((isOwnName(name) || name.starts_with(".tavelin-link-")) && stands(p) &&
        std::find(standing.begin(), standing.end(), p) == standing.end())
      standing.push_back(p);
  }
  return standing;
}

QString withEntries(QString line, const std::vector<fs::path>& entries) {
  if (entries.empty()) return line;
  QStringList names;
  for (const fs::path& p : entries) names << shown(p);
  return line + kOwnEntries.arg(names.join(QStringLiteral(", ")));
}

QString doneWord(const std::string& kind) {
  if (kind == "copy") return QStringLiteral("copied");
  return QStringLiteral("moved");
}

// The entries under the program's own names where its moves put them, that no record left
// accounts for.
QStringList unaccountedEntries(const std::vector<fs::path>& desktops, const std::set<fs::path>& accounted) {
  QStringList found;
  std::set<fs::path> seen;
  // Each folder is listed once; with `inside`, the folders in it (not under those names) too.
  const std::function<void(const fs::path&, bool)> scan = [&](const fs::path& folder, bool inside) {
    struct stat st {};
    if (!lstatOk(folder, st) || !S_ISDIR(st.st_mode) || !seen.insert(folder).second) return;
    try {
      for (const fs::path& entry : entriesOf(folder)) {
        if (isOwnName(entry.filename().native())) {
          if (!accounted.count(entry)) found << shown(entry);
        } else if (inside) {
          scan(entry, false);
        }
      }
    } catch (const IOException&) {
    }
  };
  const fs::path data = MoveRecord::dataFolder();
  scan(data, false);
  scan(data / kPicturesFolder, true);
  for (const fs::path& desktop : desktops) {
    if (desktop.empty()) continue;
    scan(desktop, false);
    scan(desktop / kDeletedFolder, true);
  }
  found.sort();
  return found;
}

Outcome examine(const fs::path& desktop, bool act) {
  Outcome outcome;
  MoveRecord::Found found = MoveRecord::left();
  outcome.notActedOn = found.unreadable;
  std::set<fs::path> accounted;
  std::vector<fs::path> desktops{desktop};
  const auto account = [&](const Facts& f) {
    for (const fs::path& p : ownEntriesStanding(f)) accounted.insert(p);
  };
  const auto leftAlone = [&](const QString& why, const std::optional<Facts>& f) {
    const std::vector<fs::path> entries = f ? ownEntriesStanding(*f) : std::vector<fs::path>{};
    for (const fs::path& p : entries) accounted.insert(p);
    outcome.notActedOn << withEntries(why, entries);
  };
  // Deletions last: a record written before deletions kept their move in their own record has
  // its move in another, which is put right first.
  std::stable_partition(found.records.begin(), found.records.end(), [](const MoveRecord::Record& r) {
    return r.lines.empty() || r.lines.front().verb != "delete";
  });
  for (const MoveRecord::Record& record : found.records) {
    Reading reading;
    try {
      reading = read(record, desktop);
    } catch (const IOException& error) {
      outcome.stillLeft << kUnresolved.arg(shown(record.file), asSentence(error.message()));
      continue;
    }
    if (reading.facts && std::find(desktops.begin(), desktops.end(), reading.facts->desktop) == desktops.end())
      desktops.push_back(reading.facts->desktop);
    if (!reading.refusal.isEmpty()) {
      leftAlone(reading.refusal, reading.facts);
      continue;
    }
    const std::optional<Facts>& facts = reading.facts;
    if (!act) {
      if (facts) {
        const QString line = facts->kind == "save" ? kWaitingSave.arg(shown(facts->to))
                                                   : kWaiting.arg(shown(facts->from), doneWord(facts->kind), shown(facts->to));
        leftAlone(line, facts);
      }
      continue;
    }
    try {
      if (!facts) {
        // Stopped before its first lines were whole, it announced no step.
        MoveRecord::remove(record.file);
        continue;
      }
      if (facts->decidesPalette() && spent(*facts)) {
        const std::vector<fs::path> entries = ownEntriesStanding(*facts);
        if (entries.empty()) MoveRecord::remove(record.file);
        else leftAlone(kSpent.arg(shown(record.file)), facts);
        continue;
      }
      Result result;
      if (facts->kind == "copy") result = copied(*facts);
      else if (facts->kind == "save") result = saved(*facts);
      else result = moved(*facts);
      if (facts->decidesPalette()) {
        // The palette's own line says the rest; the move's only where it changed something.
        if (!result.acted) result.once.clear();
        using Decision = Deletion::Decision;
        Deletion d{shown(facts->from.filename()), record.file, facts->from, facts->target()};
        d.recordStays = result.keep;
        d.alreadyTold = facts->back;
        if (result.where == Where::Moved) d.decision = Decision::Deleted;
        else if (result.where == Where::Back) d.decision = Decision::Kept;
        else if (result.where == Where::Gone) d.decision = Decision::KeptPicturesGone;
        // Written before deletions noted their state file, and their move in a record of its
        // own: pictures that have left the palette's folder count as sent.
        if (!facts->state && d.decision == Decision::KeptPicturesGone && standsKnown(facts->target()))
          d.decision = Decision::Deleted;
        outcome.deletions.push_back(d);
        if (d.recordStays || d.decision == Decision::Waiting) account(*facts);
      } else if (!result.keep) {
        MoveRecord::remove(record.file);
      } else {
        account(*facts);
      }
      outcome.putRight << result.once;
      outcome.stillLeft << result.eachTime;
    } catch (const NotOurs& strange) {
      leftAlone(kStrange.arg(shown(record.file), shown(strange.entry)), facts);
    } catch (const IOException& error) {
      if (facts) account(*facts);
      outcome.stillLeft << kUnresolved.arg(shown(facts ? facts->from : record.file), asSentence(error.message()));
    } catch (const std::exception& error) {
      if (facts) account(*facts);
      outcome.stillLeft << kUnresolved.arg(shown(facts ? facts->from : record.file),
                                           asSentence(QString::fromLocal8Bit(error.what())));
    }
  }
  outcome.unaccounted = unaccountedEntries(desktops, accounted);
  return outcome;
}

}  // namespace

Outcome recover(const fs::path& desktop) { return examine(desktop, true); }

Outcome describe(const fs::path& desktop) { return examine(desktop, false); }

}  // namespace MoveRecovery
