#include "platform/FolderItem.h"

#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <filesystem>
#include <system_error>

#include "common/RuntimeException.h"
#include "platform/EntryMove.h"

FolderItem::FolderItem(const QString& path)
    : path_(path.isEmpty() ? QString() : QDir::cleanPath(QDir(path).absolutePath())) {}

void FolderItem::requireItem() const {
  if (isNull()) throw MissingObjectException(QStringLiteral("The folder item does not exist."));
}

QString FolderItem::path() const {
  requireItem();
  return QDir::toNativeSeparators(path_);
}

std::filesystem::path FolderItem::fsPath() const {
  requireItem();
  return std::filesystem::path(QFile::encodeName(path_).toStdString());
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
  return FolderItem(path_ + QLatin1Char('/') + name);
}

bool FolderItem::exists() const {
  requireItem();
  return QFileInfo::exists(path_);
}

bool FolderItem::entryStands() const {
  requireItem();
  const QFileInfo info(path_);
  return info.exists() || info.isSymLink();
}

bool FolderItem::isFolder() const {
  requireItem();
  return QFileInfo(path_).isDir();
}

qsizetype FolderItem::longestName() const {
  requireItem();
  constexpr qsizetype kUsual = 255;
  const long longest = ::pathconf(QFile::encodeName(path_).constData(), _PC_NAME_MAX);
  return longest > 0 ? static_cast<qsizetype>(longest) : kUsual;
}

void FolderItem::createFolder() const {
  requireItem();
  if (!QDir().mkdir(path_))
    throw IOException(QStringLiteral("Could not create the folder %1.").arg(path_));
}

void FolderItem::createFolders() const {
  requireItem();
  if (exists()) return;
  if (!QDir().mkpath(path_))
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

QStringList FolderItem::childNames() const {
  requireItem();
  return QDir(path_).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                               QDir::NoSort);
}

namespace {

// The target entry for a move or copy into the folder.
std::filesystem::path targetIn(const FolderItem& folder, const QString& newName) {
  const FolderItem target = folder.child(newName);
  if (target.isNull()) throw IOException(QStringLiteral("%1 cannot name an item.").arg(newName));
  return target.fsPath();
}

void requireMoved(FolderItem::MoveResult result, const FolderItem& folder, const QString& newName) {
  if (result == FolderItem::MoveResult::NameTaken)
    throw IOException(QStringLiteral("%1 already exists.").arg(folder.child(newName).path()));
  if (result == FolderItem::MoveResult::NameTooLong)
    throw IOException(QStringLiteral("%1 is too long a name for %2.").arg(newName, folder.path()));
}

}  // namespace

FolderItem::MoveResult FolderItem::tryMoveInto(const FolderItem& folder, const QString& newName) const {
  requireItem();
  return EntryMove::move(fsPath(), targetIn(folder, newName));
}

void FolderItem::moveInto(const FolderItem& folder, const QString& newName) const {
  requireMoved(tryMoveInto(folder, newName), folder, newName);
}

void FolderItem::copyInto(const FolderItem& folder, const QString& newName) const {
  requireItem();
  requireMoved(EntryMove::copy(fsPath(), targetIn(folder, newName)), folder, newName);
}

bool FolderItem::isText(const QByteArray& raw) { return QFile::encodeName(QFile::decodeName(raw)) == raw; }

QList<QByteArray> FolderItem::untextualChildNames() const {
  requireItem();
  QList<QByteArray> names;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(fsPath(), ec), end; !ec && it != end; it.increment(ec)) {
    const QByteArray raw = QByteArray::fromStdString(it->path().filename().native());
    if (!isText(raw)) names << raw;
  }
  return names;
}

QString FolderItem::shownName(const QByteArray& rawName) {
  QString shown;
  for (qsizetype i = 0; i < rawName.size();) {
    // The shortest run from here that is one whole UTF-8 character.
    qsizetype length = 1;
    while (length <= 4 && i + length <= rawName.size() && !isText(rawName.mid(i, length))) ++length;
    if (length <= 4 && i + length <= rawName.size()) {
      shown += QString::fromUtf8(rawName.mid(i, length));
      i += length;
    } else {
      shown += QStringLiteral("\\x") + QByteArray(1, rawName.at(i)).toHex().toUpper();
      ++i;
    }
  }
  return shown;
}
