#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include "app/App.h"
#include "common/ErrorGuard.h"
#include "common/FileTools.h"
#include "common/RuntimeException.h"
#include "platform/Dialogs.h"
#include "platform/EntryTree.h"
#include "platform/MoveRecord.h"

namespace {

const QString kTooLong = QStringLiteral("rbHasExtension passed a proposed file name that is too long");
const QString kNotAppropriate =
    QStringLiteral("rbHasExtension passed a proposed file name that is not appropriate");
const QString kUnableToCreate = QStringLiteral("Somehow unable to create the %1 file. Method: %2");
const QString kAppSupportProblem = QStringLiteral("Problem with FileTools CreateFolderInAppSupport");
const QString kUnitSeparator = QStringLiteral("\u241F");
const QString kNewlineSymbol = QStringLiteral("\u2424");
const QString kLineEnd = QStringLiteral("\n");

constexpr qsizetype kMaxNameLength = 255;

ReportLocation at(const QString& method) { return ReportLocation::moduleMethod("FileTools", method); }

bool refusedName(const QString& name) {
  return name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\n'));
}

}  // namespace

namespace FileTools {

void writeWholeFile(const FolderItem& file, const QString& content, bool recorded) {
  // The writer follows a link to replace what it points to: only a regular file may stand
  // there, never a folder, a device or a link to one, nor a link to nothing, which would
  // make a new file wherever it points.
  if (file.entryStands() && !QFileInfo(file.path()).isFile())
    throw IOException(QStringLiteral("%1 is not a plain file, so it is not replaced.").arg(file.path()));
  // The file is replaced only once the new content is complete on disk, so a failed write
  // leaves the previous file as it was; with a record, a stop half way leaves nothing of it
  // that the next start does not remove.
  const std::filesystem::path path = file.fsPath();
  const QByteArray bytes = content.toUtf8();
  if (!recorded) {
    EntryTree::replaceFile(path, bytes.toStdString());
    return;
  }
  // A linked state file is saved where the link leads, and recorded there.
  const std::filesystem::path real = EntryTree::replacedFile(path);
  MoveRecord::Writer record("save", real, real);
  // The palettes are saved even where no record can be kept: a stop half way would then only
  // leave the new file beside the old one.
  bool recordKept = true;
  try {
    record.begin();
  } catch (const IOException&) {
    recordKept = false;
  }
  try {
    EntryTree::replaceFile(path, bytes.toStdString(), recordKept ? record.announcer() : EntryTree::Announce{});
  } catch (const IOException&) {
    record.finish();
    throw;
  }
  record.finish();
}

}  // namespace FileTools

namespace {

// The ".txt" rule, the look-up and the write shared by the two writers.
void writeNamedFile(const QString& content, const QString& fileName, const FolderItem& folder,
                    const QString& method) {
  const QString name = FileTools::rbHasExtension(fileName) ? fileName : fileName + ".txt";
  FolderItem file = folder.child(name);
  // The file system would take a line feed, but a name rbHasExtension refused never reaches it.
  if (refusedName(name)) file = FolderItem();
  if (file.isNull()) {
    Dialogs::beep();
    Dialogs::messageBox(kUnableToCreate.arg(name, method));
    return;
  }
  FileTools::writeWholeFile(file, content);
}

}  // namespace

namespace FileTools {

bool rbHasExtension(const QString& name) {
  return guardedOops(at("rbHasExtension"), [&] {
    const QList<uint> chars = name.toUcs4();
    if (chars.size() > kMaxNameLength) {
      Dialogs::messageBox(kTooLong);
      return false;
    }
    if (refusedName(name)) {
      Dialogs::messageBox(kNotAppropriate);
      return false;
    }
    // A "." as the third-, fourth- or fifth-last character.
    const qsizetype n = chars.size();
    for (qsizetype k = 3; k <= 5; ++k)
      if (n >= k && chars.at(n - k) == '.') return true;
    return false;
  });
}

QString rsStringFile(const FolderItem& file) {
  return guarded(at("rsStringFile"), [&] {
    if (file.isNull() || !file.exists()) return QString();
    QFile in(file.path());
    // Only a regular file: opening a named pipe or a device would block start-up for ever.
    if (!QFileInfo(file.path()).isFile() || !in.open(QIODevice::ReadOnly))
      throw IOException(QStringLiteral("Could not open %1 for reading.").arg(file.path()));
    // Bytes that are not UTF-8 would come back altered, and a later write of the text would
    // put the altered text in place of the file: such a file is not read at all.
    QStringDecoder decode(QStringConverter::Utf8,
                          QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    QString text = decode(in.readAll());
    if (decode.hasError()) throw IOException(QStringLiteral("%1 is not UTF-8 text.").arg(file.path()));
    return text;
  });
}

void StringToFileItem(const QString& content, const QString& fileName, const FolderItem& folder) {
  guarded(at("StringToFileItem"), [&] { writeNamedFile(content, fileName, folder, "StringToFileItem"); });
}

FolderItem CreateFolderInAppSupport(const QString& folderName) {
  return guarded(at("CreateFolderInAppSupport"), [&] {
    const FolderItem support = App::current().appSupportFolder;
    if (support.isNull()) throw MissingObjectException(QStringLiteral("The application data folder is not set."));
    const FolderItem folder = support.child(folderName);
    if (folder.isNull()) {
      Dialogs::messageBox(kAppSupportProblem);
      return FolderItem();
    }
    if (!folder.exists()) folder.createFolder();
    return folder;
  });
}

void FolderFilesToArray(const FolderItem& folder, QStringList& names) {
  guarded(at("FolderFilesToArray"), [&] {
    if (folder.isNull() || !folder.exists()) return;
    for (const QString& name : folder.childNames()) {
      if (name.startsWith(QLatin1Char('.'))) continue;
      const FolderItem entry = folder.child(name);
      // A name that is not valid text reaches here changed, and names no entry.
      if (entry.isNull() || !entry.entryStands() || entry.isFolder()) continue;
      names.append(name);
    }
  });
}

void DictionaryToFileItem(const Dictionary& dictionary, const QString& fileName, const FolderItem& folder) {
  guarded(at("DictionaryToFileItem"), [&] {
    QString text;
    for (const auto& [key, value] : dictionary) {
      QString v = value.toString();
      v.replace(QStringLiteral("\r\n"), kNewlineSymbol);
      v.replace(QLatin1Char('\n'), kNewlineSymbol);
      v.replace(QLatin1Char('\r'), kNewlineSymbol);
      text += key.toString() + kUnitSeparator + v + kLineEnd;
    }
    writeNamedFile(text.trimmed(), fileName, folder, "DictionaryToFileItem");
  });
}

}  // namespace FileTools
