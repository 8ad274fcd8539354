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

// Renames the unreadable file to a name that is free, so that no later save can replace it.
// No item when the file system refuses.
FolderItem keepAside(const FolderItem& file) {
  const FolderItem folder = file.parent();
  const QString stamp = RtrnDateString::rsAlphaDateTime(4);
  QString name = kUnreadablePrefix + stamp + ".txt";
  for (int n = 2; folder.child(name).exists(); ++n)
    name = kUnreadablePrefix + stamp + "-" + QString::number(n) + ".txt";
  try {
    file.setName(name);
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
    if (JSON_ParseData(FileTools::rsStringFile(file))) return;

    // The reader has reported; the store is as it was, empty at start-up.
    const FolderItem kept = keepAside(file);
    if (DP.empty()) CreateFirstPalette();
    Dialogs::messageBox(kept.isNull() ? kNotKeptAside.arg(file.path()) : kKeptAside.arg(kept.path()));
  });
}

}  // namespace KM
