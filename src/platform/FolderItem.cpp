#include "platform/FolderItem.h"

#include <QDir>
#include <QFileInfo>
#include <filesystem>
#include <system_error>

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
namespace fs = std::filesystem;

fs::path fsPath(const QString& path) { return fs::path(QFile::encodeName(path).toStdString()); }

QString describe(const std::error_code& ec) { return QString::fromStdString(ec.message()); }

bool standsThere(const fs::path& p) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(p, ec));
}

bool sameBytes(const fs::path& a, const fs::path& b) {
  QFile fa(QFile::decodeName(a.c_str())), fb(QFile::decodeName(b.c_str()));
  if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly) || fa.size() != fb.size()) return false;
  constexpr qint64 kChunk = 1 << 16;
  while (!fa.atEnd()) {
    if (fa.read(kChunk) != fb.read(kChunk)) return false;
  }
  return fb.atEnd();
}

// One entry and, for a folder, everything below it are the same in the copy.
bool sameTree(const fs::path& source, const fs::path& copy) {
  std::error_code ec;
  const fs::file_status s = fs::symlink_status(source, ec);
  if (ec || fs::symlink_status(copy, ec).type() != s.type() || ec) return false;
  if (fs::is_symlink(s)) return fs::read_symlink(source, ec) == fs::read_symlink(copy, ec) && !ec;
  if (fs::is_regular_file(s)) return sameBytes(source, copy);
  if (!fs::is_directory(s)) return true;
  std::size_t count = 0;
  for (fs::directory_iterator it(source, ec), end; !ec && it != end; it.increment(ec)) {
    ++count;
    if (!sameTree(it->path(), copy / it->path().filename())) return false;
  }
  if (ec) return false;
  std::size_t copied = 0;
  for (fs::directory_iterator it(copy, ec), end; !ec && it != end; it.increment(ec)) ++copied;
  return !ec && copied == count;
}

fs::path freeTarget(const FolderItem& folder, const QString& newName) {
  const FolderItem target = folder.child(newName);
  if (target.isNull()) throw IOException(QStringLiteral("%1 cannot name an item.").arg(newName));
  const fs::path p = fsPath(target.path());
  if (standsThere(p)) throw IOException(QStringLiteral("%1 already exists.").arg(target.path()));
  return p;
}

void copyVerified(const fs::path& source, const fs::path& target) {
  std::error_code ec;
  fs::copy(source, target, fs::copy_options::recursive | fs::copy_options::copy_symlinks, ec);
  if (ec || !sameTree(source, target)) {
    std::error_code ignored;
    fs::remove_all(target, ignored);  // the target did not exist before: only our copy goes
    throw IOException(QStringLiteral("Could not copy %1 to %2%3")
                          .arg(QFile::decodeName(source.c_str()), QFile::decodeName(target.c_str()),
                               ec ? ": " + describe(ec) : QStringLiteral(": the copy differs.")));
  }
}
}  // namespace

void FolderItem::copyInto(const FolderItem& folder, const QString& newName) const {
  requireItem();
  const fs::path source = fsPath(path_);
  if (!standsThere(source)) throw IOException(QStringLiteral("%1 does not exist.").arg(path_));
  copyVerified(source, freeTarget(folder, newName));
}

void FolderItem::moveInto(const FolderItem& folder, const QString& newName) const {
  requireItem();
  const fs::path source = fsPath(path_);
  if (!standsThere(source)) throw IOException(QStringLiteral("%1 does not exist.").arg(path_));
  const fs::path target = freeTarget(folder, newName);
  std::error_code ec;
  fs::rename(source, target, ec);
  if (!ec) return;
  if (ec != std::errc::cross_device_link)
    throw IOException(QStringLiteral("Could not move %1: %2").arg(path_, describe(ec)));
  copyVerified(source, target);
  fs::remove_all(source, ec);
  if (ec)
    throw IOException(QStringLiteral("Moved %1 by copying, but could not remove the original: %2")
                          .arg(path_, describe(ec)));
}
