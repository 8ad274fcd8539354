#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cerrno>

#include "ButtonPicturesFixture.h"
#include "support/MoveFaults.h"

namespace {

const QString kFault = "Tell support@orvane.com that a bug in the Remove Picture button";

class RemovePictureTest : public ButtonPicturesTest {
 protected:
  void SetUp() override {
    ButtonPicturesTest::SetUp();
    for (const char* name : {"05.png", "06.png", "07.png"}) savePicture(folder() + "/" + name, {60, 55});
  }

  // What the window shows of the picture under review and the list.
  struct Shown {
    QStringList rows;
    QString select, id;
    bool removable = false;
    bool pictureShown = false;
    bool keyed = false;
  };
  static Shown shown(const winButtonPics& w, const QString& key) {
    return {rows(w), w.labSelect->text(), w.labID->text(), w.pbToDesktop->isEnabled(),
            !w.cnShow->backdrop().isNull(), !w.fileForKey(key).isNull()};
  }

  // The points of the list, as last painted, in colour: a row's names are black on white, so
  // these are a selected row's fill or the frame of the current one.
  static int colouredPoints(winButtonPics& w) {
    QCoreApplication::processEvents();
    const QRect list(w.lbButPic->viewport()->mapTo(&w, QPoint(0, 0)), w.lbButPic->viewport()->size());
    const QImage screen = w.screen()->grabWindow(w.winId()).toImage().copy(list);
    int n = 0;
    for (int y = 0; y < screen.height(); ++y)
      for (int x = 0; x < screen.width(); ++x) n += screen.pixelColor(x, y).hsvSaturation() > 60;
    return n;
  }
};

}  // namespace

// The reviewed picture goes, even after the arrow keys moved the selection to another row.
TEST_F(RemovePictureTest, TheReviewedPictureMovesToItsPaletteFolderOnTheDesktop) {
  withWindow([&](winButtonPics& w) {
    clickRow(w, 0);
    QTest::keyClick(w.lbButPic, Qt::Key_Down);
    ASSERT_EQ(w.lbButPic->currentRow(), 1);
    ASSERT_GT(colouredPoints(w), 0);
    w.pbToDesktop->click();
    const Shown after = shown(w, "05");
    EXPECT_EQ(after.rows, (QStringList{"06.png", "07.png"}));
    // No row stays selected, nor current for the keys, and none looks it.
    EXPECT_TRUE(w.lbButPic->selectedItems().isEmpty());
    EXPECT_EQ(w.lbButPic->currentRow(), -1);
    EXPECT_EQ(colouredPoints(w), 0);
    EXPECT_EQ(after.select, "");
    EXPECT_EQ(after.id, "");
    EXPECT_FALSE(after.removable);
    EXPECT_FALSE(after.pictureShown);
    EXPECT_FALSE(after.keyed);
    // The size labels go on showing the removed picture's size.
    EXPECT_TRUE(w.labRevHt->isVisible());
    EXPECT_EQ(w.labRevHtValue->text(), "55");
  });
  EXPECT_TRUE(QFileInfo(deleted() + "/05.png").isFile());
  EXPECT_EQ(entries(folder()), (QStringList{"06.png", "07.png"}));
  EXPECT_TRUE(messages.isEmpty());
  EXPECT_TRUE(logLines.isEmpty());
}

TEST_F(RemovePictureTest, ANameRemovedAgainArrivesNumbered) {
  for (int round = 0; round < 3; ++round) {
    if (round > 0) savePicture(folder() + "/05.png", {60, 55});
    withWindow([&](winButtonPics& w) {
      clickRow(w, 0);
      w.pbToDesktop->click();
    });
  }
  EXPECT_EQ(entries(deleted()), (QStringList{"05.png", "1_05.png", "2_05.png"}));
  EXPECT_TRUE(logLines.isEmpty());
}

// A picture that is a link leaves as the link; the user's original stays put.
TEST_F(RemovePictureTest, ALinkedPictureLeavesAsTheLink) {
  savePicture(homePath() + "/Originals/mine.png", {64, 64});
  ASSERT_TRUE(QFile::link(homePath() + "/Originals/mine.png", folder() + "/08.png"));
  withWindow([&](winButtonPics& w) {
    clickRow(w, 3);
    ASSERT_EQ(w.labSelect->text(), "08.png");
    w.pbToDesktop->click();
    EXPECT_EQ(rows(w), (QStringList{"05.png", "06.png", "07.png"}));
  });
  EXPECT_TRUE(QFileInfo(deleted() + "/08.png").isSymLink());
  EXPECT_TRUE(QFileInfo(homePath() + "/Originals/mine.png").isFile());
  EXPECT_EQ(entries(homePath() + "/Originals"), QStringList{"mine.png"});
}

// Whether the folder cannot be made or the move itself fails, the picture stays in its
// folder and the window goes on showing it as it did.
TEST_F(RemovePictureTest, AFailedRemoveLeavesFileRowAndReviewAsTheyWere) {
  struct Case {
    const char* name;
    std::function<void()> spoil;
    QStringList messages, logLines;
    EntryMove::Fault fault = {};
  };
  const QString trash = desktop() + "/DeletedPalettePictures";
  const Case cases[] = {
      {"the folder is a plain file", [&] { writeFile(trash, "a file"); }, {kFault}, {}},
#ifdef Q_OS_LINUX
      // A folder that refuses every file, even for a superuser.
      {"the move is refused",
       [&] {
         QDir().mkpath(trash);
         ASSERT_TRUE(QFile::link("/proc", deleted()));
       },
       {},
       {"Exception - FileTools.MoveRenameIfNecessary"}},
#endif
      // The Desktop on another file system, and the picture cannot be taken out of its folder.
      {"the picture cannot leave its folder",
       [] {},
       {},
       {"Exception - FileTools.MoveRenameIfNecessary"},
       [](EntryMove::Step step, const std::filesystem::path& from, const std::filesystem::path& to) {
         return withinFolder(step, from, to) ? EACCES : acrossFileSystems(step, from, to);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QFile::remove(trash);
    QDir(trash).removeRecursively();
    c.spoil();
    messages.clear();
    logLines.clear();
    withWindow([&](winButtonPics& w) {
      clickRow(w, 1);
      const Shown before = shown(w, "06");
      const ScopedMoveFault fault(c.fault);
      w.pbToDesktop->click();
      const Shown after = shown(w, "06");
      EXPECT_EQ(after.rows, before.rows);
      EXPECT_EQ(after.select, "06.png");
      EXPECT_EQ(after.id, "06");
      EXPECT_TRUE(after.removable);
      EXPECT_TRUE(after.pictureShown);
      EXPECT_TRUE(after.keyed);
    });
    EXPECT_TRUE(QFileInfo(folder() + "/06.png").isFile());
    EXPECT_FALSE(QFileInfo::exists(deleted() + "/06.png"));
    EXPECT_EQ(entries(folder()), (QStringList{"05.png", "06.png", "07.png"}));
    EXPECT_EQ(messages, c.messages);
    EXPECT_EQ(logLines, c.logLines);
  }
}

// A second picture for button 05 that the check could not move: its row shows and removes
// that very file, never the one the button number leads to.
TEST_F(RemovePictureTest, TheChosenRowIsTheFileReviewedAndRemoved) {
  savePicture(folder() + "/05b.png", {64, 64});
  bool refused = true;
  const ScopedMoveFault fault([&](EntryMove::Step step, const std::filesystem::path& from, const std::filesystem::path&) {
    return refused && step == EntryMove::Step::Rename && from.filename() == "05b.png" ? EACCES : 0;
  });
  withWindow([&](winButtonPics& w) {
    ASSERT_EQ(rows(w), (QStringList{"05.png", "05b.png", "06.png", "07.png"}));
    refused = false;
    clickRow(w, 1);
    EXPECT_EQ(w.labSelect->text(), "05b.png");
    EXPECT_EQ(w.labRevWthValue->text(), "64");  // 05.png is 60 wide
    w.pbToDesktop->click();
    EXPECT_EQ(rows(w), (QStringList{"05.png", "06.png", "07.png"}));
    EXPECT_EQ(w.fileForKey("05").name(), "05.png");
  });
  EXPECT_EQ(entries(deleted()), QStringList{"05b.png"});
  EXPECT_EQ(entries(folder()), (QStringList{"05.png", "06.png", "07.png"}));
}

// The Desktop set outside the home folder, or at a path that merely begins like it.
TEST_F(RemovePictureTest, TheDeletedPicturesFolderIsMadeBelowTheDesktopWhereverItIs) {
  QTemporaryDir elsewhere;
  for (const QString& place : {elsewhere.path() + "/desk", homePath() + "_x/Desktop"}) {
    SCOPED_TRACE(place.toStdString());
    setDesktopFolder(place);
    const QStringList homeBefore = entries(homePath());
    withWindow([&](winButtonPics& w) {
      clickRow(w, 0);
      w.pbToDesktop->click();
    });
    EXPECT_TRUE(QFileInfo(place + "/DeletedPalettePictures/P03/" + entries(place + "/DeletedPalettePictures/P03").value(0)).isFile());
    EXPECT_EQ(entries(homePath()), homeBefore);
    EXPECT_TRUE(messages.isEmpty());
  }
  QDir(homePath() + "_x").removeRecursively();
  EXPECT_EQ(entries(folder()), QStringList{"07.png"});
  EXPECT_TRUE(logLines.isEmpty()) << logLines.join("\n").toStdString();
}

TEST_F(RemovePictureTest, ADesktopWhosePathIsNotTextGetsNothing) {
  setDesktopNotText();
  const QStringList homeBefore = entries(homePath());
  const QStringList pictures = entries(folder());
  withWindow([&](winButtonPics& w) {
    clickRow(w, 0);
    w.pbToDesktop->click();
    EXPECT_EQ(rows(w), pictures);
    EXPECT_TRUE(w.pbToDesktop->isEnabled());
  });
  EXPECT_EQ(logLines, QStringList{"Exception - winButtonPics.pbToDesktop.Action"});
  EXPECT_EQ(entries(folder()), pictures);
  EXPECT_EQ(entries(homePath()), homeBefore);
}
