#pragma once

#include <QString>
#include <functional>

#include "platform/FolderItem.h"

class QWidget;

// The open-file dialog. Tests install a handler that answers as the user would.
namespace FileDialog {

// A modal open-file dialog over the parent, offering the files the filter names (as
// FileTypeRegistry::dialogFilter writes it); the chosen file, or no item when cancelled.
FolderItem openFile(QWidget* parent, const QString& filter);

using OpenFileHandler = std::function<FolderItem(const QString& filter)>;
void setOpenFileHandler(OpenFileHandler handler);  // empty restores the real dialog

}  // namespace FileDialog
