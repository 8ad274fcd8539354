#include <QAction>
#include <QMenu>
#include <QTest>

#include "PaletteFixture.h"
#include "palette/MainMenuBar.h"

namespace {

// Slots P00 "Original", P01 "Work" (current), P02 freed, P03 "Home"; the palette window
// shown and active.
class PaletteMenuTest : public PaletteWindowTest {
 protected:
  void SetUp() override {
    PaletteWindowTest::SetUp();
    KM::DP.clear();
    KM::idxCP = -1;
    const QStringList aliases{"Original", "Work", KM::noneMark, "Home"};
    for (qsizetype i = 0; i < aliases.size(); ++i) {
      KM::DP.emplace_back();
      KM::DefaultValuesPalette(i);
      KM::DP.back().s_Alias = aliases[i];
    }
    KM::ActivatePalette(1);
    winMain& w = open();
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  }

  void cmd(Qt::Key key) { QTest::keyClick(window.get(), key, Qt::ControlModifier); }
};

}  // namespace

TEST_F(PaletteMenuTest, EntriesShowThePaletteListOnceTheWindowIsOpen) {
  winMain& w = *window;
  EXPECT_EQ(w.miPalette00(), MainMenuBar::shared().entry("miPalette00"));
  EXPECT_EQ(w.miPalette00()->text(), "P00     Original");
  EXPECT_TRUE(w.miPalette00()->isEnabled());
  EXPECT_EQ(w.miPalette01()->text(), "P01     Work");
  EXPECT_FALSE(w.miPalette01()->isEnabled());
  EXPECT_EQ(w.miPalette02()->text(), "P02");
  EXPECT_FALSE(w.miPalette02()->isEnabled());
  EXPECT_TRUE(w.miPalette03()->isEnabled());
  EXPECT_FALSE(w.miPalette09()->isEnabled());
  EXPECT_TRUE(w.miConstruct()->isEnabled());
  EXPECT_TRUE(w.miSwitchPalette()->isEnabled());
  EXPECT_TRUE(w.miNewPalette()->isEnabled());
  EXPECT_TRUE(w.miButPic()->isEnabled());
  EXPECT_TRUE(w.miRenamePalette()->isEnabled());
  EXPECT_TRUE(w.miDeletePalette()->isEnabled());
  EXPECT_TRUE(logLines.isEmpty());
}

TEST_F(PaletteMenuTest, CmdDigitSwitchesExactlyLikeChoosingTheEntry) {
  winMain& w = *window;
  cmd(Qt::Key_3);
  EXPECT_EQ(KM::idxCP, 3);
  EXPECT_EQ(KM::paleName, "P03");
  EXPECT_EQ(w.windowTitle(), "KM P03");
  EXPECT_EQ(w.labTip->text(), "Home");
  EXPECT_EQ(w.labSeeNum->text(), "P03");
  EXPECT_TRUE(KM::paletteActiveChange);
  // The menu follows at once: the new current palette is no choice, the old one is.
  EXPECT_FALSE(w.miPalette03()->isEnabled());
  EXPECT_TRUE(w.miPalette01()->isEnabled());

  w.miPalette01()->trigger();
  EXPECT_EQ(KM::idxCP, 1);
  EXPECT_EQ(w.windowTitle(), "KM P01");
  EXPECT_EQ(w.labTip->text(), "Work");
  EXPECT_TRUE(messages.isEmpty());
  EXPECT_TRUE(logLines.isEmpty());
}

TEST_F(PaletteMenuTest, FreedMissingOrCurrentSlotIsNoChoiceEvenWithStaleState) {
  winMain& w = *window;
  for (Qt::Key key : {Qt::Key_2, Qt::Key_5, Qt::Key_1}) cmd(key);
  EXPECT_EQ(KM::idxCP, 1);
  EXPECT_EQ(w.windowTitle(), "KM P01");

  // Qt's enabled state gone stale (here forced): the handlers check again and do nothing.
  for (QAction* entry : {w.miPalette01(), w.miPalette02(), w.miPalette05()}) entry->setEnabled(true);
  EXPECT_TRUE(w._miPalette02_Action());
  EXPECT_TRUE(w._miPalette05_Action());
  EXPECT_TRUE(w._miPalette01_Action());
  EXPECT_EQ(KM::idxCP, 1);
  EXPECT_FALSE(KM::paletteActiveChange);
  EXPECT_TRUE(messages.isEmpty());  // not even "You are trying to change to the currently…"
  EXPECT_TRUE(logLines.isEmpty());
}

TEST_F(PaletteMenuTest, MenuOpeningCatchesUpWithAChangeMadeElsewhere) {
  winMain& w = *window;
  // A switch and a new alias made by another window, without the menu being told.
  KM::ChangeToPalette(3);
  KM::DP.at(2).s_Alias = "R&D";
  emit w.miPalette()->menu()->aboutToShow();
  EXPECT_FALSE(w.miPalette03()->isEnabled());
  EXPECT_TRUE(w.miPalette02()->isEnabled());
  EXPECT_EQ(w.miPalette02()->iconText(), "P02     R&D");
}

TEST_F(PaletteMenuTest, CmdQSavesAsTheCloseBoxDoes) {
  const QString stateFile = dataFolder + "/" + KM::stateFileName;
  cmd(Qt::Key_3);
  ASSERT_FALSE(QFile::exists(stateFile));
  cmd(Qt::Key_Q);
  EXPECT_FALSE(window->isVisible());
  ASSERT_TRUE(QFile::exists(stateFile));
  const QString saved = QString::fromUtf8(readFile(stateFile));
  EXPECT_EQ(saved, KM::JSON_CreateData().value_or(QString()));
  EXPECT_TRUE(saved.contains("Home"));
}
