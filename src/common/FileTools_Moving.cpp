#include "common/ErrorGuard.h"
#include "common/FileTools.h"
#include "common/RtrnBoolean.h"
#include "common/RuntimeException.h"
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

}  // namespace

namespace FileTools {

void CreateAllFoldersInPath(const QString& path) {
  guardedOops(at("CreateAllFoldersInPath"), [&] {
    const FolderItem home = UserFolders::home();
    const QString homePath = home.path();
    QString full = path;
    if (!RtrnBoolean::rbDoesStringStartWith(full, homePath))
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

void MoveRenameIfNecessary(const FolderItem& item, const FolderItem& destination) {
  guarded(at("MoveRenameIfNecessary"), [&] {
    const QString name = item.name();
    const FolderItem source = item.parent();
    if (source.isNull()) throw MissingObjectException(QStringLiteral("%1 has no parent folder.").arg(item.path()));
    if (!requiredChild(destination, name).exists()) {
      item.moveInto(destination, name);
      return;
    }
    for (qint64 n = 1;; ++n) {
      const QString numbered = QString::number(n) + "_" + name;
      if (requiredChild(destination, numbered).exists() || requiredChild(source, numbered).exists()) continue;
      // Straight to the numbered name: a failed move leaves the item as it was.
      item.moveInto(destination, numbered);
      return;
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
