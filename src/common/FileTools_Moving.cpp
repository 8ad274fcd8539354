#include <QFile>
#include <optional>

#include "common/ErrorGuard.h"
#include "common/FileTools.h"
#include "common/RtrnBoolean.h"
#include "common/RuntimeException.h"
#include "common/TextCleanup.h"
#include "platform/Dialogs.h"
#include "platform/UserFolders.h"

namespace {

const QString kParentMissing = QStringLiteral("RenameFolder: The parent folder does not exist.");
const QString kNowMissing = QStringLiteral("RenameFolder: The now folder does not exist.");
const QString kFutureFaulty = QStringLiteral("RenameFolder: The futureName, %1, is faulty.");
const QString kFutureTaken = QStringLiteral("RenameFolder: The futureName, %1, is already taken.");

ReportLocation at(const QString& method) { return ReportLocation::moduleMethod("FileTools", method); }

FolderItem requiredChild(const FolderItem& folder, const QString& name) {
  FolderItem item = folder.child(name);
  if (item.isNull()) throw MissingObjectException(QStringLiteral("%1 cannot name an item.").arg(name));
  return item;
}

// An extension this long is part of the name.
constexpr qsizetype kLongestExtension = 10;

// "n_" + name, with `cut` characters fewer at the end of the name before its extension;
// nothing once no character of the name would be left.
std::optional<QString> numberedName(qint64 n, const QString& name, qsizetype cut) {
  const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
  const qsizetype stemEnd = dot > 0 && name.size() - dot <= kLongestExtension ? dot : name.size();
  const QString stem = name.left(stemEnd);
  const qsizetype characters = stem.toUcs4().size();
  if (cut >= characters) return std::nullopt;
  return QString::number(n) + "_" + TextCleanup::leftCharacters(stem, characters - cut) + name.mid(stemEnd);
}

// Whether the path begins with the folder's path as whole names: /home/ann_x does not lie
// in /home/ann.
bool liesIn(const QString& path, QString folder) {
  while (folder.endsWith(QLatin1Char('/'))) folder.chop(1);
  return path == folder || RtrnBoolean::rbDoesStringStartWith(path, folder + "/");
}

}  // namespace

namespace FileTools {

void CreateAllFoldersInPath(const QString& path) {
  guardedOops(at("CreateAllFoldersInPath"), [&] {
    const FolderItem home = UserFolders::home();
    const QString homePath = home.path();
    QString full = path;
    if (!liesIn(full, homePath))
      full = RtrnBoolean::rbDoesStringStartWith(full, "/") ? homePath + full : homePath + "/" + full;

    // The parts that spell the home folder itself are skipped, however deep it lies; for a
    // home such as /Users/someone these are the first three.
    QString homeSpelling = homePath;
    while (homeSpelling.endsWith(QLatin1Char('/'))) homeSpelling.chop(1);
    const qsizetype homeParts = homeSpelling.split(QLatin1Char('/')).size();

    const QStringList parts = full.split(QLatin1Char('/'));
    FolderItem current = home;
    for (qsizetype i = homeParts; i < parts.size(); ++i) {
      if (parts.at(i).isEmpty()) continue;
      current = requiredChild(current, parts.at(i));
      // A folder that cannot be made stops nothing here; nothing below it gets made.
      if (!current.exists()) {
        try {
          current.createFolder();
        } catch (const IOException&) {
        }
      }
    }
  });
}

void CreateAllFoldersOf(const FolderItem& folder) {
  if (liesIn(folder.path(), UserFolders::home().path())) {
    CreateAllFoldersInPath(folder.path());
    return;
  }
  try {
    folder.createFolders();
  } catch (const IOException&) {
    // The caller finds the folder missing and says so.
  }
}

void MoveRenameIfNecessary(const FolderItem& item, const FolderItem& destination) {
  guarded(at("MoveRenameIfNecessary"), [&] {
    const QString name = item.name();
    const FolderItem source = item.parent();
    if (source.isNull()) throw MissingObjectException(QStringLiteral("%1 has no parent folder.").arg(item.path()));
    // Any entry standing there takes the name, a link to nothing included.
    const auto taken = [&](const QString& candidate, bool inSourceToo) {
      return requiredChild(destination, candidate).entryStands() ||
             (inSourceToo && requiredChild(source, candidate).entryStands());
    };
    // Straight to the arrival name, never renamed in the source first: a failed move leaves
    // the item as it was. A name taken meanwhile sends the search on to the next number.
    if (!taken(name, false) && item.tryMoveInto(destination, name) == FolderItem::MoveResult::Done) return;
    const qsizetype longest = destination.longestName();
    for (qint64 n = 1;; ++n) {
      for (qsizetype cut = 0;; ++cut) {
        const std::optional<QString> numbered = numberedName(n, name, cut);
        if (!numbered)
          throw IOException(QStringLiteral("No numbered name for %1 is short enough for %2.").arg(name, destination.path()));
        if (QFile::encodeName(*numbered).size() > longest) continue;
        if (taken(*numbered, true)) break;
        const FolderItem::MoveResult result = item.tryMoveInto(destination, *numbered);
        if (result == FolderItem::MoveResult::Done) return;
        if (result == FolderItem::MoveResult::NameTaken) break;
      }
    }
  });
}

void RenameFolder(const FolderItem& parent, const QString& presentName, const QString& futureName,
                  bool showMessages) {
  guarded(at("RenameFolder"), [&] {
    const auto refuse = [&](const QString& message) {
      if (showMessages) Dialogs::messageBox(message);
    };
    if (parent.isNull() || !parent.exists()) return refuse(kParentMissing);
    const FolderItem present = parent.child(presentName);
    if (present.isNull() || !present.exists()) return refuse(kNowMissing);
    const FolderItem future = parent.child(futureName);
    if (future.isNull()) return refuse(kFutureFaulty.arg(futureName));
    if (future.exists()) return refuse(kFutureTaken.arg(futureName));
    // The entry itself is renamed: a linked folder keeps its target and its target's name.
    FolderItem(parent.path() + "/" + presentName).setName(futureName);
  });
}

}  // namespace FileTools
