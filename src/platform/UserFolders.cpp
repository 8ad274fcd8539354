#include "platform/UserFolders.h"

#include <QDir>
#include <QStandardPaths>

namespace UserFolders {

FolderItem home() { return FolderItem(QDir::homePath()); }

FolderItem desktop() {
  return FolderItem(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
}

FolderItem applicationSupport() {
#ifdef Q_OS_MACOS
  return FolderItem(QDir::homePath() + QStringLiteral("/Library/Application Support"));
#else
  return FolderItem(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
#endif
}

}  // namespace UserFolders
