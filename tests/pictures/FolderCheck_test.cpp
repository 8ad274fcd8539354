#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <cstdio>

#include "ButtonPicturesFixture.h"
#include "common/QuitRequest.h"
#include "platform/Dialogs.h"

namespace {

using FolderCheckTest = ButtonPicturesTest;

const QString kName = "The file name is supposed to start with two digits. File: %1 is moved to Desktop.";
const QString kPicture = "The file is supposed to be a picture. File: %1 is moved to Desktop.";
const QString kWide = "The file is supposed to be an ~ 64 pixel picture. File: %1 is too wide and is moved to Desktop.";
const QString kTall = "The file is supposed to be an ~ 64 pixel picture. File: %1 is too tall and is moved to Desktop.";
const QString kDuplicate = "There is already a picture for %1 File: %2 moved to Desktop.";
const QString kNotText = "The file name is supposed to be text (UTF-8). File: %1 is left in the picture folder.";

}  // namespace

TEST_F(FolderCheckTest, OpeningCreatesTheFoldersAndShowsThePalette) {
  withWindow([&](winButtonPics& w) {
    EXPECT_TRUE(QFileInfo(data + "/ButtonPictures/P00").isDir());
    EXPECT_TRUE(QFileInfo(folder()).isDir());
    EXPECT_EQ(w.windowTitle(), "Button Pictures: My Tools");
    EXPECT_EQ(w.labCurrentName->text(), "P03");
    EXPECT_EQ(w.labCurrentAlias->text(), "Tools");
    EXPECT_EQ(w.labPicToAdd->text(), "");
    EXPECT_EQ(w.labID_Add->text(), "");
    EXPECT_EQ(w.lbButPic->count(), 0);
    EXPECT_FALSE(w.pbToDesktop->isEnabled());
    EXPECT_TRUE(w.pbSelectPicToAdd->isEnabled());
    EXPECT_TRUE(w.pbDone->isEnabled());
    EXPECT_FALSE(w.pbAdd->isEnabled());
    EXPECT_FALSE(w.pbCancelAdd->isEnabled());
  });
  EXPECT_TRUE(messages.isEmpty());
  EXPECT_TRUE(logLines.isEmpty());
}

// Every rule in name order, each message seen while its file is still in the folder.
TEST_F(FolderCheckTest, FilesBreakingARuleAreMovedToTheDesktopAfterTheirMessage) {
  savePicture(homePath() + "/whole.jpg", {64, 64}, "JPEG");
  const QByteArray jpeg = readFile(homePath() + "/whole.jpg");
  enum Kind { Png, Text, CutJpeg, Huge };
  struct Case {
    QString name;
    Kind kind;
    QSize size;
    QString message;  // empty: the file stays
  };
  const Case cases[] = {
      {"05notes.txt", Text, {}, kPicture},
      {"10.png", Png, {50, 64}, kWide},
      {"11.png", Png, {70, 64}, kWide},
      {"12.png", Png, {64, 50}, kTall},
      {"13.png", Png, {64, 70}, kTall},
      {"14.png", Png, {51, 69}, ""},
      {"15.png", Png, {69, 51}, ""},
      {"16.png", Png, {64, 64}, ""},
      {"17.png", Png, {20, 20}, kWide},  // wrong both ways: the width message only
      // Qt shows a JPEG cut short grey-filled: it is still no picture.
      {"18.jpg", CutJpeg, {}, kPicture},
      {"19", Png, {64, 64}, ""},  // a name of just the number
      // Never decoded, too wide by what its header says.
      {"20huge.png", Huge, {}, kWide},
      {"5x.png", Png, {64, 64}, kName},
      {"7.png", Png, {64, 64}, kName},
      {"ab05.png", Png, {64, 64}, kName},
  };
  QStringList expected, moved, kept{".hidden"};
  for (const Case& c : cases) {
    const QString path = folder() + "/" + c.name;
    switch (c.kind) {
      case Png: savePicture(path, c.size); break;
      case Text: writeFile(path, "not a picture"); break;
      case CutJpeg: writeFile(path, jpeg.left(jpeg.size() * 2 / 3)); break;
      case Huge: {
        QImage huge(20000, 64, QImage::Format_Mono);
        huge.fill(0);
        ASSERT_TRUE(huge.save(path));
      }
    }
    (c.message.isEmpty() ? kept : moved) << c.name;
    if (!c.message.isEmpty()) expected << c.message.arg(c.name);
  }
  writeFile(folder() + "/.hidden", "left alone");

  QList<qsizetype> inFolder;
  Dialogs::setMessageBoxHandler([&](const QString& text) {
    messages << text;
    inFolder << entries(folder()).size();
  });
  const qsizetype before = entries(folder()).size();
  withWindow([&](winButtonPics& w) { EXPECT_EQ(rows(w), (QStringList{"14.png", "15.png", "16.png", "19"})); });

  EXPECT_EQ(messages, expected);
  // The folder loses a file after each message, never before it.
  QList<qsizetype> counts;
  for (qsizetype i = 0; i < expected.size(); ++i) counts << before - i;
  EXPECT_EQ(inFolder, counts);
  moved.sort();
  EXPECT_EQ(entries(desktop()), moved);
  EXPECT_EQ(entries(folder()), kept);
  EXPECT_EQ(readFile(desktop() + "/18.jpg"), jpeg.left(jpeg.size() * 2 / 3));
  EXPECT_TRUE(logLines.isEmpty()) << logLines.join("\n").toStdString();
}

// The first item in code-point order keeps its key, whatever order the file system lists.
TEST_F(FolderCheckTest, OneItemPerKeyTheLaterOnesGoToTheDesktopNumberedOnAClash) {
  for (const char* name : {"05a.png", "05b.png", "07a.png", "08b.png", "09\uFF21.png", "09\U0001F600.png"})
    savePicture(folder() + "/" + QString::fromUtf8(name), {64, 64});
  QDir().mkpath(folder() + "/07old");
  QDir().mkpath(folder() + "/08a");
  writeFile(folder() + "/.DS_Store", "x");
  writeFile(folder() + "/.Dx", "x");
  // The Desktop already holds the name, and the first numbered one.
  writeFile(desktop() + "/05b.png", "older");
  writeFile(desktop() + "/1_05b.png", "older still");

  withWindow([&](winButtonPics& w) {
    EXPECT_EQ(rows(w), (QStringList{"05a.png", "07a.png", QString::fromUtf8("09\uFF21.png")}));
    EXPECT_EQ(w.fileForKey("05").name(), "05a.png");
    EXPECT_EQ(w.fileForKey("07").name(), "07a.png");
    EXPECT_EQ(w.fileForKey("08").name(), "08a");
    EXPECT_EQ(w.fileForKey(".D").name(), ".DS_Store");
    EXPECT_EQ(w.fileForKey(".d").name(), ".DS_Store");
  });

  const QString emoji = QString::fromUtf8("09\U0001F600.png");
  EXPECT_EQ(messages, (QStringList{kDuplicate.arg(".D", ".Dx"), kDuplicate.arg("05", "05b.png"),
                                   kDuplicate.arg("07", "07old"), kDuplicate.arg("08", "08b.png"),
                                   kDuplicate.arg("09", emoji)}));
  EXPECT_EQ(readFile(desktop() + "/05b.png"), "older");
  EXPECT_EQ(readFile(desktop() + "/1_05b.png"), "older still");
  EXPECT_TRUE(QFileInfo(desktop() + "/2_05b.png").isFile());
  EXPECT_TRUE(QFileInfo(desktop() + "/07old").isDir());
  EXPECT_TRUE(QFileInfo(desktop() + "/08b.png").isFile());
  EXPECT_TRUE(QFileInfo(desktop() + "/" + emoji).isFile());
  EXPECT_TRUE(QFileInfo(folder() + "/08a").isDir());
  EXPECT_TRUE(logLines.isEmpty()) << logLines.join("\n").toStdString();
}

// A link is judged by what it points to and moved as a link: the user's own files stay.
TEST_F(FolderCheckTest, LinksAreCheckedThroughButMovedThemselves) {
  const QString originals = homePath() + "/Originals";
  savePicture(originals + "/fine.png", {64, 64});
  savePicture(originals + "/large.png", {90, 90});
  writeFile(originals + "/text.png", "not a picture");
  QDir().mkpath(folder());
  ASSERT_TRUE(QFile::link(originals + "/fine.png", folder() + "/21.png"));
  ASSERT_TRUE(QFile::link(originals + "/large.png", folder() + "/22.png"));
  ASSERT_TRUE(QFile::link(originals + "/text.png", folder() + "/23.png"));
  ASSERT_TRUE(QFile::link(originals + "/gone.png", folder() + "/24.png"));
  ASSERT_TRUE(QFile::link(originals, folder() + "/25 folder"));

  withWindow([&](winButtonPics& w) { EXPECT_EQ(rows(w), QStringList{"21.png"}); });

  EXPECT_EQ(messages, (QStringList{kWide.arg("22.png"), kPicture.arg("23.png"), kPicture.arg("24.png")}));
  for (const char* name : {"22.png", "23.png", "24.png"})
    EXPECT_TRUE(QFileInfo(desktop() + "/" + name).isSymLink()) << name;
  EXPECT_EQ(entries(originals), (QStringList{"fine.png", "large.png", "text.png"}));
  EXPECT_EQ(entries(folder()), (QStringList{"21.png", "25 folder"}));
  EXPECT_TRUE(logLines.isEmpty()) << logLines.join("\n").toStdString();
}

// A failed move is reported and the check goes on; the file stays, keyed and listed.
TEST_F(FolderCheckTest, AFileThatCannotMoveStaysAndTheCheckGoesOn) {
  savePicture(folder() + "/ab.png", {64, 64});
  savePicture(folder() + "/30.png", {64, 64});
  QDir(desktop()).removeRecursively();
  writeFile(desktop(), "a file where the Desktop should be");

  withWindow([&](winButtonPics& w) {
    EXPECT_EQ(rows(w), (QStringList{"30.png", "ab.png"}));
    EXPECT_EQ(w.fileForKey("ab").name(), "ab.png");
  });
  EXPECT_EQ(messages, QStringList{kName.arg("ab.png")});
  EXPECT_EQ(logLines, QStringList{"Exception - FileTools.MoveRenameIfNecessary"});
}

TEST_F(FolderCheckTest, ValidFileNameIsThePictureRulesWithoutAMessage) {
  savePicture(folder() + "/31.png", {64, 64});
  withWindow([&](winButtonPics& w) {
    savePicture(folder() + "/32.png", {70, 64});
    EXPECT_TRUE(w.rfValidFileName("31.png"));
    for (const char* name : {"32.png", "33.png", "ab.png", "3", ""}) EXPECT_FALSE(w.rfValidFileName(name)) << name;
  });
  EXPECT_TRUE(messages.isEmpty());
}

// A quit closes the message on show: the check stops, nothing more moves, and the window,
// not shown yet, never opens.
TEST_F(FolderCheckTest, AQuitAskedForDuringTheCheckMovesNothingMore) {
  for (const char* name : {"ab.png", "cd.png", "ef.png"}) savePicture(folder() + "/" + name, {64, 64});
  Dialogs::setMessageBoxHandler([&](const QString& text) {
    messages << text;
    QuitRequest::closeAllWindows();
  });
  bool shown = false;
  ModalSeam::ScopedDriver<winButtonPics> driver([&](winButtonPics&) { shown = true; });
  winButtonPics::OpenModal();
  EXPECT_FALSE(shown);
  EXPECT_EQ(messages, QStringList{kName.arg("ab.png")});
  EXPECT_EQ(entries(folder()), (QStringList{"ab.png", "cd.png", "ef.png"}));
  EXPECT_TRUE(entries(desktop()).isEmpty());
}

// A Linux account may have no Desktop folder, or have it anywhere.
TEST_F(FolderCheckTest, TheDesktopIsMadeWhereverItIsSet) {
  for (const QString& place : {desktop(), homePath() + "_x/Desktop"}) {
    SCOPED_TRACE(place.toStdString());
    setDesktopFolder(place);
    QDir(desktop()).removeRecursively();
    savePicture(folder() + "/ab.png", {64, 64});
    withWindow([&](winButtonPics& w) { EXPECT_EQ(rows(w), QStringList{}); });
    EXPECT_EQ(entries(place), QStringList{"ab.png"});
    QDir(homePath() + "_x").removeRecursively();
  }
  EXPECT_TRUE(logLines.isEmpty()) << logLines.join("\n").toStdString();
}

// Such a name cannot be checked or moved by name: it is said, shown escaped, and left.
TEST_F(FolderCheckTest, ANameThatIsNotTextIsNamedAndLeftInTheFolder) {
  savePicture(folder() + "/40.png", {64, 64});
  const QByteArray raw = QFile::encodeName(folder()) + "/45\xff\xfe.png";
  writeFile(folder() + "/x", readFile(folder() + "/40.png"));
  ASSERT_EQ(std::rename(QFile::encodeName(folder() + "/x").constData(), raw.constData()), 0);
  withWindow([&](winButtonPics& w) { EXPECT_EQ(rows(w), QStringList{"40.png"}); });
  EXPECT_EQ(messages, QStringList{kNotText.arg("45\\xFF\\xFE.png")});
  EXPECT_TRUE(QFileInfo::exists(folder() + "/40.png"));
  EXPECT_TRUE(entries(desktop()).isEmpty());
  EXPECT_EQ(::unlink(raw.constData()), 0) << "the file stays where it was";
}

// A Desktop whose path is not text cannot be named: nothing moves, nothing is made under a
// name the file system did not have, and the check still lists the good pictures.
TEST_F(FolderCheckTest, ADesktopWhosePathIsNotTextGetsNothing) {
  setDesktopNotText();
  const QStringList homeBefore = entries(homePath());
  savePicture(folder() + "/05.png", {64, 64});
  savePicture(folder() + "/ab.png", {64, 64});
  withWindow([&](winButtonPics& w) { EXPECT_EQ(rows(w), (QStringList{"05.png", "ab.png"})); });
  EXPECT_EQ(messages, QStringList{kName.arg("ab.png")});
  EXPECT_EQ(logLines, QStringList{"Exception - FileTools.MoveRenameIfNecessary"});
  EXPECT_EQ(entries(folder()), (QStringList{"05.png", "ab.png"}));
  EXPECT_EQ(entries(homePath()), homeBefore);
}
