#pragma once

#include <gtest/gtest.h>

#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <ostream>

#include "platform/FolderItem.h"

// Failed comparisons of texts show the texts.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

// Every test derives from this: a fresh temporary HOME (and XDG folders) per test, and the
// system log, message boxes and beeps recorded instead of written or shown.
class TavelinTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  QString homePath() const;
  FolderItem home() const { return FolderItem(homePath()); }

  QStringList logLines;
  QStringList messages;
  int beeps = 0;

 private:
  std::unique_ptr<QTemporaryDir> home_;
  QByteArray savedHome_;
};

// While it lives, writes that would make a file larger than the limit fail as on a full
// disk (EFBIG; the signal that would end the process is ignored).
class FileSizeLimit {
 public:
  explicit FileSizeLimit(qint64 bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  qint64 savedCurrent_ = 0;
};

// Sets the Desktop as the user's folder settings do (user-dirs.dirs), anywhere; the second by
// the path's own bytes, which need not be text.
void setDesktopFolder(const QString& path);
void setDesktopFolder(const QByteArray& rawPath);
// The Desktop set by a path with a Latin-1 byte in it ("B\xfcro" in the home folder).
QByteArray setDesktopNotText();

// Writes a file (creating its folders) with the given bytes.
void writeFile(const QString& path, const QByteArray& bytes);
QByteArray readFile(const QString& path);
