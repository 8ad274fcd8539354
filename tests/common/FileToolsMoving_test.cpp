#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>

#include "common/FileTools.h"
#include "support/MoveFaults.h"
#include "support/TestEnvironment.h"

namespace {
QStringList entries(const QString& path) {
  return QDir(path).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}
const QString kCreateOops =
    "Oops! FileTools.CreateAllFoldersInPath\nMODULE: FileTools\nMETHOD: CreateAllFoldersInPath\nTYPE: ";
}  // namespace

using FileToolsMovingTest = TavelinTest;

TEST_F(FileToolsMovingTest, CreateAllFoldersInPathBuildsBelowHome) {
  const QString h = homePath();
  struct Case {
    QString path;
    QString made;  // the deepest folder expected below home; empty: nothing new
  };
  const Case cases[] = {
      {h + "/Desktop/DeletedPalettePictures/P05", "Desktop/DeletedPalettePictures/P05"},
      {"Desktop/Deleted2/P05", "Desktop/Deleted2/P05"},
      {"/Desktop/Deleted3/P05", "Desktop/Deleted3/P05"},
      {h + "//a1//b1/", "a1/b1"},
      {h, ""},
      {h + "/", ""},
      {h.toUpper() + "/x", h.toUpper().mid(1) + "/x"},  // another letter case is not the home path
      // Beginning with the home's text is not lying in it (/home/ann_x is not in /home/ann).
      {h + "_x/Desktop/y", h.mid(1) + "_x/Desktop/y"},
  };
  for (const Case& c : cases) {
    const QStringList before = entries(h);
    FileTools::CreateAllFoldersInPath(c.path);
    if (c.made.isEmpty())
      EXPECT_EQ(entries(h), before) << c.path.toStdString();
    else
      EXPECT_TRUE(QFileInfo(h + "/" + c.made).isDir()) << c.path.toStdString();
  }
  // Twice: nothing changes the second time.
  writeFile(h + "/Desktop/DeletedPalettePictures/P05/keep.png", "k");
  FileTools::CreateAllFoldersInPath(h + "/Desktop/DeletedPalettePictures/P05");
  EXPECT_EQ(entries(h + "/Desktop/DeletedPalettePictures/P05"), QStringList{"keep.png"});
  EXPECT_TRUE(messages.isEmpty());
  EXPECT_TRUE(logLines.isEmpty());
}

TEST_F(FileToolsMovingTest, CreateAllFoldersInPathUsesTheRealHomeAtAnyDepth) {
  for (const QString& sub : {QString("one"), QString("one/two/three/four")}) {
    const QString deep = homePath() + "/" + sub;
    QDir().mkpath(deep);
    qputenv("HOME", QFile::encodeName(deep));
    FileTools::CreateAllFoldersInPath(deep + "/Desktop/DeletedPalettePictures/P05");
    FileTools::CreateAllFoldersInPath("rel/P06");
    EXPECT_TRUE(QFileInfo(deep + "/Desktop/DeletedPalettePictures/P05").isDir()) << sub.toStdString();
    EXPECT_TRUE(QFileInfo(deep + "/rel/P06").isDir()) << sub.toStdString();
  }
  EXPECT_TRUE(messages.isEmpty());
}

TEST_F(FileToolsMovingTest, CreateAllFoldersInPathStopsQuietlyOrWithOops) {
  writeFile(homePath() + "/plain", "file");
  FileTools::CreateAllFoldersInPath("plain/below");  // cannot be made: nothing further, no message
  EXPECT_EQ(readFile(homePath() + "/plain"), "file");
  EXPECT_TRUE(messages.isEmpty());

  FileTools::CreateAllFoldersInPath("made/../after");  // ".." names no item
  EXPECT_TRUE(QFileInfo(homePath() + "/made").isDir());
  EXPECT_FALSE(QFileInfo::exists(homePath() + "/after"));
  EXPECT_EQ(messages, QStringList{kCreateOops + "MissingObjectException"});
  EXPECT_EQ(logLines, QStringList{"Exception - FileTools.CreateAllFoldersInPath"});
}

TEST_F(FileToolsMovingTest, MoveRenameIfNecessaryNumbersClashes) {
  struct Case {
    QStringList inDestination, inSource;
    QString arrivesAs;
  };
  const Case cases[] = {
      {{}, {}, "05Face.png"},
      {{"05Face.png"}, {}, "1_05Face.png"},
      {{"05Face.png", "1_05Face.png"}, {"2_05Face.png"}, "3_05Face.png"},
      {{"05Face.png", "2_05Face.png"}, {}, "1_05Face.png"},  // freed numbers are used again
  };
  int i = 0;
  for (const Case& c : cases) {
    const QString src = homePath() + "/src" + QString::number(i), dst = homePath() + "/dst" + QString::number(i++);
    writeFile(src + "/05Face.png", "picture");
    QDir().mkpath(dst);
    for (const QString& n : c.inDestination) writeFile(dst + "/" + n, "other");
    for (const QString& n : c.inSource) writeFile(src + "/" + n, "other");
    FileTools::MoveRenameIfNecessary(FolderItem(src + "/05Face.png"), FolderItem(dst));
    EXPECT_EQ(readFile(dst + "/" + c.arrivesAs), "picture") << c.arrivesAs.toStdString();
    EXPECT_FALSE(QFileInfo::exists(src + "/05Face.png"));
    EXPECT_EQ(entries(src), c.inSource);
    for (const QString& n : c.inDestination) EXPECT_EQ(readFile(dst + "/" + n), "other");
  }
  EXPECT_TRUE(logLines.isEmpty());
}

TEST_F(FileToolsMovingTest, MoveRenameIfNecessaryMovesWholeFolders) {
  const QString src = homePath() + "/ButtonPictures", dst = homePath() + "/Desktop/DeletedPalettePictures";
  writeFile(src + "/P05/05Face.png", "a");
  writeFile(src + "/P05/sub/06Face.png", "b");
  writeFile(dst + "/P05/old.png", "old");
  FileTools::MoveRenameIfNecessary(FolderItem(src + "/P05"), FolderItem(dst));
  EXPECT_EQ(readFile(dst + "/1_P05/05Face.png"), "a");
  EXPECT_EQ(readFile(dst + "/1_P05/sub/06Face.png"), "b");
  EXPECT_EQ(entries(dst + "/P05"), QStringList{"old.png"});
  EXPECT_TRUE(entries(src).isEmpty());
}

// Any entry takes a name, a link to nothing or one that appears meanwhile included; a
// numbered name the file system finds too long is shortened before its extension.
TEST_F(FileToolsMovingTest, MoveRenameIfNecessaryTakesTheNextNameTheFileSystemAccepts) {
  const QString src = homePath() + "/src", dst = homePath() + "/dst";
  const QString longName = QString(125, QChar(0x00E9)) + "n.png";  // 255 bytes
  ASSERT_EQ(QFile::encodeName(longName).size(), 255);
  struct Case {
    const char* name;
    QString file;
    std::function<void()> inDestination;
    QString arrivesAs;
  };
  const Case cases[] = {
      {"a link to nothing", "05Face.png", [&] { QFile::link(homePath() + "/gone.png", dst + "/05Face.png"); },
       "1_05Face.png"},
      {"a name of 255 bytes", longName, [&] { writeFile(dst + "/" + longName, "other"); },
       "1_" + QString(124, QChar(0x00E9)) + ".png"},  // no character split, the extension kept
      {"a name taken between the look and the move", "07Face.png",
       [&] { writeFile(dst + "/1_07Face.png", "other"); }, "2_07Face.png"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QDir(src).removeRecursively();
    QDir(dst).removeRecursively();
    writeFile(src + "/" + c.file, "picture");
    QDir().mkpath(dst);
    c.inDestination();
    const QStringList before = entries(dst);
    // The third case: the numbered name only appears once the plain one was found taken.
    ScopedMoveFault fault([&](EntryMove::Step step, const std::filesystem::path&, const std::filesystem::path& to) {
      if (step == EntryMove::Step::Rename && QFile::decodeName(to.filename().c_str()) == "07Face.png")
        writeFile(dst + "/07Face.png", "meanwhile");
      return 0;
    });
    FileTools::MoveRenameIfNecessary(FolderItem(src + "/" + c.file), FolderItem(dst));
    EXPECT_EQ(readFile(dst + "/" + c.arrivesAs), "picture");
    EXPECT_TRUE(entries(src).isEmpty());
    for (const QString& n : before) EXPECT_TRUE(QFileInfo(dst + "/" + n).isSymLink() || readFile(dst + "/" + n) == "other");
  }
  EXPECT_EQ(readFile(dst + "/07Face.png"), "meanwhile");
  EXPECT_TRUE(logLines.isEmpty()) << logLines.join("\n").toStdString();
}

TEST_F(FileToolsMovingTest, FailedMoveLeavesTheItemAsItWas) {
  const QString src = homePath() + "/src", dst = homePath() + "/dst";
  const QString longName = "05Face.png";
  writeFile(src + "/" + longName, "picture");
  QDir().mkpath(dst);

  // A destination that is a file.
  writeFile(homePath() + "/notAFolder", "x");
  FileTools::MoveRenameIfNecessary(FolderItem(src + "/" + longName), FolderItem(homePath() + "/notAFolder"));
  EXPECT_EQ(entries(src), QStringList{longName});
  FileTools::MoveRenameIfNecessary(FolderItem(), FolderItem(dst));
  FileTools::MoveRenameIfNecessary(FolderItem(src + "/" + longName), FolderItem());
  EXPECT_EQ(entries(src), QStringList{longName});
  EXPECT_EQ(logLines, QStringList(3, "Exception - FileTools.MoveRenameIfNecessary"));
}

TEST_F(FileToolsMovingTest, RenameFolderRefusals) {
  const QString h = homePath();
  QDir().mkpath(h + "/Tavelins");
  QDir().mkpath(h + "/taken");
  struct Case {
    FolderItem parent;
    QString present, future, message;
  };
  const Case cases[] = {
      {FolderItem(), "Tavelins", "new", "RenameFolder: The parent folder does not exist."},
      {FolderItem(h + "/missing"), "Tavelins", "new", "RenameFolder: The parent folder does not exist."},
      {home(), "absent", "new", "RenameFolder: The now folder does not exist."},
      {home(), "a/b", "new", "RenameFolder: The now folder does not exist."},
      {home(), "Tavelins", "x/y", "RenameFolder: The futureName, x/y, is faulty."},
      {home(), "Tavelins", "taken", "RenameFolder: The futureName, taken, is already taken."},
  };
  for (const bool show : {false, true}) {
    for (const Case& c : cases) {
      messages.clear();
      FileTools::RenameFolder(c.parent, c.present, c.future, show);
      EXPECT_EQ(messages, show ? QStringList{c.message} : QStringList{}) << c.message.toStdString();
    }
  }
  EXPECT_EQ(entries(h), (QStringList{"Desktop", "Tavelins", "taken"}));
  EXPECT_TRUE(logLines.isEmpty());
}

TEST_F(FileToolsMovingTest, RenameFolderRenamesFilesFoldersAndLinksThemselves) {
  const QString h = homePath();
  writeFile(h + "/Tavelins/PreserveState.txt", "state");
  FileTools::RenameFolder(home(), "Tavelins", "com.orvane.tavelin", true);
  EXPECT_EQ(readFile(h + "/com.orvane.tavelin/PreserveState.txt"), "state");

  writeFile(h + "/plain.txt", "p");
  FileTools::RenameFolder(home(), "plain.txt", "renamed.txt", true);
  EXPECT_EQ(readFile(h + "/renamed.txt"), "p");

  // A linked folder: the link gets the new name and still leads to the same folder.
  writeFile(h + "/cloud/Tavelins/PreserveState.txt", "linked");
  QDir().mkpath(h + "/support");
  QFile::link(h + "/cloud/Tavelins", h + "/support/Tavelins");
  FileTools::RenameFolder(FolderItem(h + "/support"), "Tavelins", "com.orvane.tavelin", true);
  EXPECT_TRUE(QFileInfo(h + "/support/com.orvane.tavelin").isSymLink());
  EXPECT_EQ(readFile(h + "/support/com.orvane.tavelin/PreserveState.txt"), "linked");
  EXPECT_EQ(entries(h + "/cloud"), QStringList{"Tavelins"});
  EXPECT_TRUE(messages.isEmpty());
  EXPECT_TRUE(logLines.isEmpty());
}
