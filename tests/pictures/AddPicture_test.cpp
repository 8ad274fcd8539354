#include <QFile>
#include <QFileInfo>

#include "ButtonPicturesFixture.h"

namespace {

const QString kNoPicture = "The chosen file is supposed to be a picture.";
const QString kNoDigits = "The selected picture must have a name starting with two digits.";
const QString kTaken = "There is already a picture for the button %1";
const QString kWide = "The file is supposed to be an ~ 64 pixel picture. File: %1 is too wide.";
const QString kTall = "The file is supposed to be an ~ 64 pixel picture. File: %1 is too tall.";
const QString kSameName = "A picture with this same name has already been assigned.";

// Palette P03 holds 05old.png and a subfolder 07old; the user's files lie in ~/Chosen.
class AddPictureTest : public ButtonPicturesTest {
 protected:
  void SetUp() override {
    ButtonPicturesTest::SetUp();
    savePicture(folder() + "/05old.png", {64, 64});
    QDir().mkpath(folder() + "/07old");
  }

  QString source(const QString& name) const { return homePath() + "/Chosen/" + name; }
  void choose(const QString& name) { chosen = FolderItem(source(name)); }

  static bool idle(const winButtonPics& w) {
    return w.pbSelectPicToAdd->isEnabled() && w.pbDone->isEnabled() && !w.pbCancelAdd->isEnabled() &&
           !w.pbAdd->isEnabled() && w.fiPictureToAdd.isNull();
  }
};

}  // namespace

TEST_F(AddPictureTest, EveryChosenFileIsCheckedAndPendsUntilCancelled) {
  struct Case {
    QString name;
    QSize size;  // invalid: a text file
    QString message;
    QString key;  // what labID_Add shows
  };
  const Case cases[] = {
      {"notes.png", {}, kNoPicture, ""},
      {"ab05.png", {64, 64}, kNoDigits, ""},
      {"5.png", {64, 64}, kNoDigits, ""},
      {"7", {64, 64}, kNoDigits, ""},
      {"05new.png", {90, 90}, kTaken.arg("05"), "05"},  // taken: its size is not tested
      {"07new.png", {64, 64}, kTaken.arg("07"), "07"},  // a subfolder holds the key
      {"20.png", {50, 64}, kWide.arg("20.png"), "20"},
      {"21.png", {51, 64}, "", "21"},
      {"22.png", {69, 64}, "", "22"},
      {"23.png", {70, 64}, kWide.arg("23.png"), "23"},
      {"24.png", {64, 50}, kTall.arg("24.png"), "24"},
      {"25.png", {64, 51}, "", "25"},
      {"26.png", {64, 69}, "", "26"},
      {"27.png", {64, 70}, kTall.arg("27.png"), "27"},
      {"28.png", {80, 80}, kWide.arg("28.png"), "28"},
  };
  withWindow([&](winButtonPics& w) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.name.toStdString());
      if (c.size.isValid()) savePicture(source(c.name), c.size);
      else writeFile(source(c.name), "not a picture");
      choose(c.name);
      messages.clear();
      w.pbSelectPicToAdd->click();

      EXPECT_EQ(messages, c.message.isEmpty() ? QStringList() : QStringList{c.message});
      EXPECT_EQ(w.labPicToAdd->text(), c.name);
      EXPECT_EQ(w.labID_Add->text(), c.key);
      EXPECT_EQ(w.labAddWthValue->text(), c.size.isValid() ? QString::number(c.size.width()) : "");
      EXPECT_EQ(w.labAddHtValue->text(), c.size.isValid() ? QString::number(c.size.height()) : "");
      EXPECT_EQ(w.labAddHt->isVisible(), c.size.isValid());
      EXPECT_EQ(w.cnShowPicAdd->backdrop().size(), c.size.isValid() ? c.size : QSize(0, 0));
      EXPECT_EQ(w.pbAdd->isEnabled(), c.message.isEmpty());
      EXPECT_TRUE(w.pbCancelAdd->isEnabled());
      EXPECT_FALSE(w.pbSelectPicToAdd->isEnabled());
      EXPECT_FALSE(w.pbDone->isEnabled());
      EXPECT_EQ(w.fiPictureToAdd, chosen);

      w.pbCancelAdd->click();
      EXPECT_TRUE(idle(w));
      EXPECT_EQ(w.labPicToAdd->text(), "");
      EXPECT_EQ(w.labID_Add->text(), "");
      EXPECT_EQ(w.labSelect->text(), "Review Picture");
      EXPECT_FALSE(w.labAddHt->isVisible());
      EXPECT_TRUE(w.cnShowPicAdd->backdrop().isNull());
    }
  });
  EXPECT_EQ(entries(folder()), (QStringList{"05old.png", "07old"}));
  // The dialog offers JPEG and PNG files only.
  ASSERT_FALSE(filters.isEmpty());
  EXPECT_EQ(filters.first(),
            "image/jpeg, image/png (*.jfif *.jpe *.jpeg *.jpg *.png *.JFIF *.JPE *.JPEG *.JPG *.PNG)");
  EXPECT_TRUE(logLines.isEmpty()) << logLines.join("\n").toStdString();
}

TEST_F(AddPictureTest, ACancelledDialogLeavesNoAddButAnEmptyReview) {
  withWindow([&](winButtonPics& w) {
    clickRow(w, 0);
    ASSERT_TRUE(w.pbToDesktop->isEnabled());
    chosen = FolderItem();
    w.pbSelectPicToAdd->click();
    EXPECT_TRUE(idle(w));
    EXPECT_FALSE(w.pbToDesktop->isEnabled());
    EXPECT_EQ(w.labSelect->text(), "");
    EXPECT_EQ(w.labID->text(), "");
    EXPECT_EQ(w.labRevHtValue->text(), "");
    EXPECT_FALSE(w.labRevHt->isVisible());
    EXPECT_TRUE(w.cnShow->backdrop().isNull());
    EXPECT_TRUE(w.lbButPic->selectedItems().isEmpty());
  });
  EXPECT_TRUE(messages.isEmpty());
}

// The chosen file stays where it is; a link brings its picture, not itself.
TEST_F(AddPictureTest, AddCopiesThePictureListsItAndReturnsToIdle) {
  savePicture(homePath() + "/Originals/mine.png", {60, 60});
  QDir().mkpath(source(""));
  ASSERT_TRUE(QFile::link(homePath() + "/Originals/mine.png", source("10.png")));
  savePicture(source("03.jpg"), {64, 64}, "JPEG");

  withWindow([&](winButtonPics& w) {
    for (const char* name : {"10.png", "03.jpg"}) {
      choose(name);
      w.pbSelectPicToAdd->click();
      ASSERT_TRUE(w.pbAdd->isEnabled()) << name;
      w.pbAdd->click();
      EXPECT_TRUE(idle(w)) << name;
      EXPECT_EQ(w.labPicToAdd->text(), "");
      EXPECT_EQ(w.labSelect->text(), "Review Picture");
    }
    EXPECT_EQ(rows(w), (QStringList{"03.jpg", "05old.png", "10.png"}));
    EXPECT_EQ(w.fileForKey("10").name(), "10.png");
    clickRow(w, 2);
    EXPECT_EQ(w.labRevWthValue->text(), "60");
  });
  EXPECT_TRUE(QFileInfo(source("10.png")).isSymLink());
  EXPECT_FALSE(QFileInfo(folder() + "/10.png").isSymLink());
  EXPECT_EQ(readFile(folder() + "/10.png"), readFile(homePath() + "/Originals/mine.png"));
  EXPECT_EQ(readFile(folder() + "/03.jpg"), readFile(source("03.jpg")));
  EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
  EXPECT_TRUE(logLines.isEmpty()) << logLines.join("\n").toStdString();
}

TEST_F(AddPictureTest, ANameThatAppearedMeanwhileOrACopyThatFailsKeepsTheAddPending) {
  savePicture(source("11.png"), {64, 64});
  withWindow([&](winButtonPics& w) {
    choose("11.png");
    w.pbSelectPicToAdd->click();
    writeFile(folder() + "/11.png", "dropped in meanwhile");
    w.pbAdd->click();
    EXPECT_EQ(messages, QStringList{kSameName});
    EXPECT_EQ(readFile(folder() + "/11.png"), "dropped in meanwhile");
    EXPECT_TRUE(w.pbAdd->isEnabled());
    EXPECT_TRUE(w.pbCancelAdd->isEnabled());
    EXPECT_EQ(w.fiPictureToAdd, chosen);

    // The chosen file went away: the copy fails, is reported, and the add stays pending.
    QFile::remove(folder() + "/11.png");
    QFile::remove(source("11.png"));
    w.pbAdd->click();
    EXPECT_FALSE(QFileInfo::exists(folder() + "/11.png"));
    EXPECT_TRUE(w.pbAdd->isEnabled());
    EXPECT_EQ(w.fiPictureToAdd, chosen);
  });
  EXPECT_EQ(logLines, QStringList{"Exception - winButtonPics.pbAdd.Action"});
}

TEST_F(AddPictureTest, TheCloseBoxDropsAPendingAdd) {
  savePicture(source("12.png"), {64, 64});
  withWindow([&](winButtonPics& w) {
    choose("12.png");
    w.pbSelectPicToAdd->click();
    ASSERT_TRUE(w.pbAdd->isEnabled());
    w.close();
  });
  EXPECT_EQ(entries(folder()), (QStringList{"05old.png", "07old"}));
  EXPECT_TRUE(view.calls.isEmpty());
}
