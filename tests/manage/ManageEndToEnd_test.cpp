#include <QFileInfo>
#include <QTest>
#include <nlohmann/json.hpp>

#include "manage/ManageFixture.h"
#include "manage/winChangeAlias.h"
#include "manage/winDeletePalette.h"
#include "manage/winModifyPalette.h"
#include "palette/PaletteFixture.h"

using ManageEndToEndTest = PaletteWindowTest;

TEST_F(ManageEndToEndTest, RenameOnePaletteDeleteAnotherAndTheStateFileHoldsBoth) {
  writePicture("00.png", Qt::red);  // P05's
  QDir().mkpath(dataFolder + "/ButtonPictures/P03");
  QFile::copy(pictureFolder() + "/00.png", dataFolder + "/ButtonPictures/P03/00.png");
  winMain& w = open();
  w.show();
  // Entries act for the active window.
  const auto activate = [&w] {
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  };
  activate();

  {
    ModalSeam::ScopedDriver<winChangeAlias> rename([](winChangeAlias& d) {
      d.tfAlias->selectAll();
      QTest::keyClicks(d.tfAlias, "Garden");
      d.tfWinTitle->end(false);
      QTest::keyClicks(d.tfWinTitle, "s");
      d.pbMakeChange->click();
    });
    w.miRenamePalette()->trigger();
  }
  EXPECT_EQ(w.windowTitle(), "My Palettes");
  EXPECT_EQ(w.labTip->text(), "Garden");

  activate();
  w.miPalette03()->trigger();
  EXPECT_FALSE(w.cnBut[0]->backdrop().isNull());
  {
    ConfirmationAnswer ok(true);
    ModalSeam::ScopedDriver<winDeletePalette> remove([](winDeletePalette& d) { d.pbDelete->click(); });
    w.miDeletePalette()->trigger();
    EXPECT_EQ(ok.asked, 1);
  }
  EXPECT_EQ(w.windowTitle(), "KM Palette");
  EXPECT_EQ(w.labTip->text(), "Original");
  EXPECT_EQ(w.labSeeNum->text(), "P00");
  EXPECT_TRUE(w.cnBut[0]->backdrop().isNull());
  EXPECT_TRUE(QFileInfo::exists(homePath() + "/Desktop/DeletedPalettePictures/P03/00.png"));

  w.close();
  const auto saved = nlohmann::json::parse(readFile(dataFolder + "/PreserveState.txt").toStdString());
  const auto palette = [&](size_t i) { return saved.at(1 + 101 * i + 100); };
  EXPECT_EQ(saved.at(0).at("CurrentPalette"), 0);
  EXPECT_EQ(palette(5).at("paleAlias"), "Garden");
  EXPECT_EQ(palette(5).at("paleWinTitle"), "My Palettes");
  EXPECT_EQ(palette(3).at("paleAlias"), "\u2400");
  EXPECT_EQ(palette(3).at("paleWinTitle"), "KM P03");
  EXPECT_EQ(saved.size(), 1u + 6 * 101);
  EXPECT_TRUE(logLines.isEmpty()) << logLines.join("\n").toStdString();
  EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
}

TEST_F(ManageEndToEndTest, CombinedWindowHasNoEntryButItsHandlerOpensIt) {
  winMain& w = open();
  EXPECT_EQ(MainMenuBar::shared().entry("miModifyPalette"), nullptr);
  int opened = 0;
  ModalSeam::ScopedDriver<winModifyPalette> driver([&](winModifyPalette& m) {
    ++opened;
    EXPECT_EQ(m.labCurrentName->text(), "P05");
  });
  EXPECT_TRUE(w._miModifyPalette_Action());
  EXPECT_EQ(opened, 1);
}
