#pragma once

#include <QString>
#include <QStringList>
#include <memory>

// A file type as the program declares it. Name is how a dialog filter names it; Extensions
// are written with their dots, separated by ";".
struct FileType {
  QString Name;
  QString Extensions;
  QString MacType;
  QString MacCreator;
  QString MimeType;
  QString UTI;
  QString ConformsTo;
  bool Imported = false;

  // ".png;.jpg" as {"png", "jpg"}.
  QStringList extensionList() const;
};

// The program's own registry of file types, filled at program start; the file dialogs
// here know no system-wide one.
namespace FileTypeRegistry {

// Registers the type under its Name; a later type of the same name takes its place.
void add(std::shared_ptr<const FileType> type);
// The type registered under that name (exact spelling), or null.
std::shared_ptr<const FileType> find(const QString& name);

// The open-file dialog's filter text for registered type names separated by ";": one
// entry offering every extension of those types, in small and in capital letters. A name
// that is not registered raises MissingKeyException. Types without extensions offer any file.
QString dialogFilter(const QString& typeNames);

}  // namespace FileTypeRegistry
