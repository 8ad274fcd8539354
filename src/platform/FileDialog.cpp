#include "platform/FileDialog.h"

#include <QFileDialog>

namespace FileDialog {
namespace {
OpenFileHandler& handler() {
  static OpenFileHandler h;
  return h;
}
}  // namespace

FolderItem openFile(QWidget* parent, const QString& filter) {
  if (handler()) return handler()(filter);
  const QString path = QFileDialog::getOpenFileName(parent, QString(), QString(), filter);
  return path.isEmpty() ? FolderItem() : FolderItem(path);
}

void setOpenFileHandler(OpenFileHandler h) { handler() = std::move(h); }

}  // namespace FileDialog
