#include "platform/FileDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace FileDialog {
namespace {
OpenFileHandler& handler() {
  static OpenFileHandler h;
  return h;
}

QString& lastFolder() {
  static QString folder;
  return folder;
}

// The folder of the last file chosen in this run, else the user's Pictures folder: never the
// working directory, which is "/" for a program started from the Finder.
QString startFolder() {
  if (QFileInfo(lastFolder()).isDir()) return lastFolder();
  const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
  return QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
}
}  // namespace

FolderItem openFile(QWidget* parent, const QString& filter) {
  if (handler()) return handler()(filter);
  const QString path = QFileDialog::getOpenFileName(parent, QString(), startFolder(), filter);
  if (path.isEmpty()) return {};
  lastFolder() = QFileInfo(path).absolutePath();
  return FolderItem(path);
}

void setOpenFileHandler(OpenFileHandler h) { handler() = std::move(h); }

}  // namespace FileDialog
