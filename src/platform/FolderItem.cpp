#include "platform/FolderItem.h"

#include <QDir>
#include <QFileInfo>

#include "common/RuntimeException.h"

FolderItem::FolderItem(const QString& path)
    : path_(path.isEmpty() ? QString() : QDir::cleanPath(QDir(path).absolutePath())) {}

void FolderItem::requireItem() const {
  if (isNull()) throw MissingObjectException(QStringLiteral("The folder item does not exist."));
}

QString FolderItem::path() const {
  requireItem();
  return QDir::toNativeSeparators(path_);
}

QString FolderItem::name() const {
  requireItem();
  return QFileInfo(path_).fileName();
}

FolderItem FolderItem::parent() const {
  requireItem();
  const QString up = QFileInfo(path_).absolutePath();
  return up == path_ ? FolderItem() : FolderItem(up);
}

FolderItem FolderItem::child(const QString& name) const {
  requireItem();
  if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..") ||
      name.contains(QLatin1Char('/')) || name.contains(QChar(0)))
    return {};
  const QString p = path_ + QLatin1Char('/') + name;
  const QFileInfo info(p);
  if (info.isSymLink()) return FolderItem(info.symLinkTarget());
  return FolderItem(p);
}

bool FolderItem::exists() const {
  requireItem();
  return QFileInfo::exists(path_);
}

bool FolderItem::isFolder() const {
  requireItem();
  return QFileInfo(path_).isDir();
}

void FolderItem::createFolder() const {
  requireItem();
  if (!QDir().mkdir(path_))
    throw IOException(QStringLiteral("Could not create the folder %1.").arg(path_));
}

void FolderItem::remove() const {
  requireItem();
  const QFileInfo info(path_);
  const bool ok = info.isDir() && !info.isSymLink() ? QDir().rmdir(path_) : QFile::remove(path_);
  if (!ok) throw IOException(QStringLiteral("Could not remove %1.").arg(path_));
}

void FolderItem::setName(const QString& newName) const {
  requireItem();
  const FolderItem target = parent().child(newName);
  if (target.isNull() || !QDir().rename(path_, target.path_))
    throw IOException(QStringLiteral("Could not rename %1 to %2.").arg(path_, newName));
}

std::vector<FolderItem> FolderItem::children() const {
  requireItem();
  std::vector<FolderItem> out;
  const QDir dir(path_);
  const auto names = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                   QDir::NoSort);
  out.reserve(static_cast<size_t>(names.size()));
  for (const QString& n : names) out.push_back(child(n));
  return out;
}
