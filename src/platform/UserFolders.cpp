#include "platform/UserFolders.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <QStandardPaths>

#include "common/RuntimeException.h"

namespace UserFolders {

FolderItem home() { return FolderItem(QDir::homePath()); }

namespace {

const QString kDesktopNotText = QStringLiteral(
    "The Desktop is set to %1, a path that is not valid UTF-8 text, so Tavelin cannot name it. Nothing is "
    "moved there: every file stays where it is.");

// The Desktop as the user's folder settings hold it, byte for byte, read as Qt reads them:
// the last line that sets it counts.
std::optional<QByteArray> configuredDesktop() {
#ifdef Q_OS_MACOS
  return std::nullopt;
#else
  QByteArray config = qgetenv("XDG_CONFIG_HOME");
  if (config.isEmpty()) config = qgetenv("HOME") + "/.config";
  QFile file(QFile::decodeName(config + "/user-dirs.dirs"));
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  std::optional<QByteArray> value;
  static const QByteArray kKey = "XDG_DESKTOP_DIR=";
  for (const QByteArray& line : file.readAll().split('\n'))
    if (line.startsWith(kKey)) value = line.mid(kKey.size());
  if (!value) return value;
  if (value->size() > 2 && value->startsWith('"') && value->endsWith('"')) *value = value->mid(1, value->size() - 2);
  if (value->startsWith("$HOME")) value->replace(0, 5, qgetenv("HOME"));
  return value;
#endif
}

}  // namespace

FolderItem desktop() {
  if (const std::optional<QByteArray> raw = configuredDesktop(); raw && !FolderItem::isText(*raw))
    throw IOException(kDesktopNotText.arg(FolderItem::shownName(*raw)));
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

std::optional<QByteArray> untextualSettingsPath() {
#ifndef Q_OS_MACOS
  if (const QByteArray config = qgetenv("XDG_CONFIG_HOME"); !FolderItem::isText(config)) return config;
#endif
  return std::nullopt;
}

}  // namespace UserFolders
