#include "platform/UserFolders.h"

#include <QDir>
#include <QList>
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

std::optional<QByteArray> untextualPath() {
  QList<QByteArray> paths{qgetenv("HOME")};
#ifndef Q_OS_MACOS
  // Only an absolute data home is used.
  if (const QByteArray data = qgetenv("XDG_DATA_HOME"); data.startsWith('/')) paths << data;
#endif
  for (const QByteArray& raw : paths)
    if (!FolderItem::isText(raw)) return raw;
  return std::nullopt;
}

}  // namespace UserFolders
