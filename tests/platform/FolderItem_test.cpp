#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "common/RuntimeException.h"
#include "support/TestEnvironment.h"

namespace {
QStringList entries(const QString& path) {
  return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}
dev_t deviceOf(const QString& path) {
  struct stat st {};
  return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_dev : 0;
}
}  // namespace

using FolderItemTest = TavelinTest;

TEST_F(FolderItemTest, MoveAndCopyNeverReplaceAnExistingItem) {
  const QString h = homePath();
  writeFile(h + "/a.png", "new");
  writeFile(h + "/dst/a.png", "old");
  EXPECT_THROW(FolderItem(h + "/a.png").moveInto(FolderItem(h + "/dst"), "a.png"), IOException);
  EXPECT_THROW(FolderItem(h + "/a.png").copyInto(FolderItem(h + "/dst"), "a.png"), IOException);
  EXPECT_THROW(FolderItem(h + "/gone.png").moveInto(FolderItem(h + "/dst"), "b.png"), IOException);
  EXPECT_THROW(FolderItem(h + "/a.png").moveInto(FolderItem(h + "/dst"), "x/y"), IOException);
  EXPECT_EQ(readFile(h + "/dst/a.png"), "old");
  EXPECT_EQ(readFile(h + "/a.png"), "new");

  FolderItem(h + "/a.png").copyInto(FolderItem(h + "/dst"), "copy.png");
  EXPECT_EQ(readFile(h + "/dst/copy.png"), "new");
  EXPECT_EQ(readFile(h + "/a.png"), "new");
}

TEST_F(FolderItemTest, MoveAcrossFileSystemsCopiesVerifiesThenRemoves) {
  QTemporaryDir other("/dev/shm/tavelin-XXXXXX");
  if (!other.isValid() || deviceOf(other.path()) == deviceOf(homePath()))
    GTEST_SKIP() << "no second file system";
  const QString src = homePath() + "/P05";
  writeFile(src + "/05Face.png", QByteArray(200000, 'p'));
  writeFile(src + "/deeper/06Face.png", "six");
  QFile::link("05Face.png", src + "/link.png");

  FolderItem(src).moveInto(FolderItem(other.path()), "P05");
  const QString dst = other.path() + "/P05";
  EXPECT_FALSE(QFileInfo::exists(src));
  EXPECT_EQ(readFile(dst + "/05Face.png"), QByteArray(200000, 'p'));
  EXPECT_EQ(readFile(dst + "/deeper/06Face.png"), "six");
  EXPECT_EQ(QFileInfo(dst + "/link.png").symLinkTarget(), dst + "/05Face.png");

  writeFile(homePath() + "/single.png", "one");
  FolderItem(homePath() + "/single.png").moveInto(FolderItem(other.path()), "1_single.png");
  EXPECT_EQ(readFile(other.path() + "/1_single.png"), "one");
  EXPECT_EQ(entries(homePath()), QStringList{"Desktop"});
}

TEST_F(FolderItemTest, CreateFoldersMakesMissingParentsAndLeavesWhatStands) {
  const QString h = homePath();
  FolderItem(h + "/a/b/c").createFolders();
  EXPECT_TRUE(QFileInfo(h + "/a/b/c").isDir());
  writeFile(h + "/a/b/c/keep.png", "png");
  FolderItem(h + "/a/b/c").createFolders();  // an existing folder: unchanged, no error
  EXPECT_EQ(readFile(h + "/a/b/c/keep.png"), "png");
  writeFile(h + "/plain", "file");
  FolderItem(h + "/plain").createFolders();  // an existing file is left as it is
  EXPECT_EQ(readFile(h + "/plain"), "file");
  EXPECT_THROW(FolderItem(h + "/plain/below").createFolders(), IOException);
  EXPECT_THROW(FolderItem().createFolders(), MissingObjectException);
}

TEST_F(FolderItemTest, DestructiveStepsActOnALinkNeverOnItsTarget) {
  const QString h = homePath();
  writeFile(h + "/outside/keep.txt", "user's");
  QDir().mkpath(h + "/outside/empty");
  QDir().mkpath(h + "/data");
  ASSERT_TRUE(QFile::link(h + "/outside/keep.txt", h + "/data/file-link"));
  ASSERT_TRUE(QFile::link(h + "/outside/empty", h + "/data/folder-link"));
  const FolderItem data(h + "/data");

  // Look-ups follow the link.
  EXPECT_TRUE(data.child("folder-link").isFolder());
  EXPECT_TRUE(data.child("file-link").exists());

  data.child("file-link").remove();
  data.child("folder-link").setName("renamed");
  data.child("renamed").moveInto(FolderItem(h + "/outside"), "moved-link");

  EXPECT_EQ(readFile(h + "/outside/keep.txt"), "user's");
  EXPECT_TRUE(QFileInfo(h + "/outside/empty").isDir());
  EXPECT_FALSE(QFileInfo(h + "/outside/empty").isSymLink());
  EXPECT_TRUE(QFileInfo(h + "/outside/moved-link").isSymLink());
  EXPECT_EQ(entries(h + "/data"), QStringList{});
}
