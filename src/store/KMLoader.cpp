#include <QFileInfo>

#include "app/App.h"
#include "app/BundleInfo.h"
#include "common/ErrorGuard.h"
#include "common/FileTools.h"
#include "common/RtrnDateString.h"
#include "common/RuntimeException.h"
#include "platform/UserFolders.h"
#include "store/KM.h"
#include "store/StoreDetail.h"

namespace {

const QString kKeptAside = QStringLiteral(
    "The palettes file could not be read, so Tavelin starts with a new first palette.\n\n"
    "The unreadable file is kept unchanged as:\n%1");
const QString kNotKeptAside = QStringLiteral(
    "The palettes file could not be read, so Tavelin starts with a new first palette.\n\n"
    "The unreadable file could not be set aside and would be replaced when Tavelin quits. "
    "Copy it elsewhere now to keep it:\n%1");
const QString kUnreadablePrefix = QStringLiteral("PreserveState-unreadable-");
const QString kMoreCopied = QStringLiteral(
    "The palettes file holds more after its last palette. Tavelin reads the palettes and ignores the rest, "
    "which it leaves out when it saves the palettes as it quits.\n\n"
    "The file as it was read is kept as:\n%1");
const QString kMoreNotCopied = QStringLiteral(
    "The palettes file holds more after its last palette. Tavelin reads the palettes and ignores the rest.\n\n"
    "The file could not be copied, and the rest would be lost when Tavelin next saves the palettes. "
    "Copy it elsewhere now to keep it:\n%1");
const QString kAsReadPrefix = QStringLiteral("PreserveState-as-read-");

// A stamped name that no entry of the folder has yet, so that no later save can replace it.
QString freeStampedName(const FolderItem& folder, const QString& prefix) {
  const QString stamp = RtrnDateString::rsAlphaDateTime(4);
  QString name = prefix + stamp + ".txt";
  for (int n = 2; folder.child(name).entryStands(); ++n)
    name = prefix + stamp + "-" + QString::number(n) + ".txt";
  return name;
}

// Renames the unreadable file; no item when the file system refuses.
FolderItem keepAside(const FolderItem& file) {
  const FolderItem folder = file.parent();
  const QString name = freeStampedName(folder, kUnreadablePrefix);
  try {
    file.setName(name);
  } catch (const RuntimeException&) {
    return {};
  }
  return folder.child(name);
}

// Copies the file as read beside it; no item when the file system refuses. A linked state
// file is copied from its target, since a copy of the link would follow the next save.
FolderItem keepCopy(const FolderItem& file) {
  const FolderItem folder = file.parent();
  const QString name = freeStampedName(folder, kAsReadPrefix);
  try {
    FolderItem(QFileInfo(file.path()).canonicalFilePath()).copyInto(folder, name);
  } catch (const RuntimeException&) {
    return {};
  }
  return folder.child(name);
}

}  // namespace

namespace KM {

void GetKM_DataFromDisk() {
  guarded(detail::kmMethod("GetKM_DataFromDisk"), [] {
    const FolderItem folder = UserFolders::applicationSupport().child(BundleInfo::identifier);
    App::current().appSupportFolder = folder;
    folder.createFolders();

    const FolderItem file = folder.child(stateFileName);
    if (!file.exists()) {
      CreateFirstPalette();
      return;
    }
    if (const std::optional<qint64> ignored = detail::parseStateText(FileTools::rsStringFile(file))) {
      if (*ignored == 0) return;
      const FolderItem kept = keepCopy(file);
      // The close saves the palettes without the rest only once it is kept.
      if (!kept.isNull()) paletteActiveChange = true;
      Dialogs::messageBox(kept.isNull() ? kMoreNotCopied.arg(file.path()) : kMoreCopied.arg(kept.path()));
      return;
    }

    // The reader has reported; the store is as it was, empty at start-up.
    const FolderItem kept = keepAside(file);
    if (DP.empty()) CreateFirstPalette();
    Dialogs::messageBox(kept.isNull() ? kNotKeptAside.arg(file.path()) : kKeptAside.arg(kept.path()));
  });
}

}  // namespace KM
