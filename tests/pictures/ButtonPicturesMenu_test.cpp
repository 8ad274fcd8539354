#include <QAction>
#include <QTest>

#include "common/FileTypes.h"
#include "palette/PaletteFixture.h"
#include "pictures/winButtonPics.h"
#include "platform/FileDialog.h"

namespace {

class ButtonPicturesMenuTest : public PaletteWindowTest {
 protected:
  void SetUp() override {
    PaletteWindowTest::SetUp();
    FileTypesCommon::Initialize();
    FileTypeJpgPng::Initialize();
  }
  void TearDown() override {
    FileDialog::setOpenFileHandler({});
    PaletteWindowTest::TearDown();
  }
};

}  // namespace

// From the Configure menu to a new picture on its button once the window is left with Done.
TEST_F(ButtonPicturesMenuTest, APictureAddedShowsOnItsButtonAfterDone) {
  writePicture("03.png", Qt::red);
  const QString mine = homePath() + "/Pictures/42 Mail.png";
  QDir().mkpath(homePath() + "/Pictures");
  QImage picture(60, 60, QImage::Format_ARGB32);
  picture.fill(Qt::blue);
  ASSERT_TRUE(picture.save(mine));
  FileDialog::setOpenFileHandler([&](const QString&) { return FolderItem(mine); });

  winMain& w = open();
  w.show();
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  ASSERT_TRUE(w.miButPic()->isEnabled());
  bool opened = false;
  {
    ModalSeam::ScopedDriver<winButtonPics> driver([&](winButtonPics& pics) {
      opened = true;
      EXPECT_EQ(pics.windowTitle(), "Button Pictures: My Palette");
      EXPECT_EQ(pics.lbButPic->item(0)->text(), "03.png");
      pics.pbSelectPicToAdd->click();
      pics.pbAdd->click();
      // Not drawn until Done.
      EXPECT_TRUE(w.cnBut[42]->backdrop().isNull());
      pics.pbDone->click();
    });
    w.miButPic()->trigger();
  }
  EXPECT_TRUE(opened);
  EXPECT_EQ(w.cnBut[42]->backdrop().toImage().pixelColor(5, 5), QColor(Qt::blue));
  EXPECT_EQ(w.cnBut[3]->backdrop().toImage().pixelColor(5, 5), QColor(Qt::red));
  EXPECT_EQ(w.windowTitle(), "My Palette");
  EXPECT_TRUE(QFileInfo::exists(mine));
  EXPECT_FALSE(KM::paletteContentChange);
  EXPECT_FALSE(KM::paletteActiveChange);
  EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
  EXPECT_TRUE(logLines.isEmpty()) << logLines.join("\n").toStdString();
}
