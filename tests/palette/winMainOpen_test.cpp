#include "palette/PaletteFixture.h"
#include "palette/WinScrn.h"

#include <QWindow>

#include "common/DisplayText.h"

using PaletteOpenTest = PaletteWindowTest;

TEST_F(PaletteOpenTest, SavedRectangleMustLieWithinTheMainScreen) {
  // Available area: left 0, top 25, 1440 × 875 (bottom 900).
  struct Case {
    qint64 top, left, height, width;
    bool within;
  };
  const Case cases[] = {
      {25, 0, 875, 1440, true},    // fills the area exactly
      {230, 800, 670, 640, true},  // touches the right and bottom edges
      {231, 800, 670, 640, false}, // one point below
      {230, 801, 670, 640, false}, // one point right
      {24, 0, 94, 64, false},      // under the menu bar
      {25, -1, 94, 64, false},     // left of the screen
      {0, 0, 0, 0, false},         // no state file
      {100, 100, 0, 64, false},
      {100, 100, 94, -64, false},
      {3000, 100, 94, 64, false},  // on a second screen
  };
  for (const Case& c : cases)
    EXPECT_EQ(WinScrn::IsWithinMainScreenTLBR(c.top, c.left, c.height, c.width), c.within)
        << c.top << " " << c.left << " " << c.height << " " << c.width;

  // A screen whose area starts at 0 still refuses the all-zero rectangle of a first start.
  Screen::setMainAvailableArea(QRect(0, 0, 1920, 1080));
  EXPECT_FALSE(WinScrn::IsWithinMainScreenTLBR(0, 0, 0, 0));
  EXPECT_TRUE(WinScrn::IsWithinMainScreenTLBR(0, 0, 94, 64));
  EXPECT_TRUE(logLines.isEmpty());
}

TEST_F(PaletteOpenTest, OpenShowsThePaletteAndRestoresItsPlace) {
  KM::initialWinTop = 120;
  KM::initialWinLeft = 300;
  KM::initialWinHeight = 670;
  KM::initialWinWidth = 640;
  winMain& w = open();
  EXPECT_EQ(w.windowTitle(), "My Palette");
  EXPECT_EQ(w.labTip->text(), "Rubus");
  EXPECT_EQ(w.labSeeNum->text(), "P05");
  EXPECT_EQ(w.labSeeSC->text(), "*");
  EXPECT_EQ(KM::paletteView, &w);
  w.show();
  EXPECT_EQ(w.Top(), 120);
  EXPECT_EQ(w.Left(), 300);
  EXPECT_EQ(w.Height(), 670);
  EXPECT_EQ(w.Width(), 640);
}

TEST_F(PaletteOpenTest, RefusedRectangleKeepsTheDefaultPlace) {
  // First start: all zeros, on a screen whose area starts at 0.
  Screen::setMainAvailableArea(QRect(0, 0, 1920, 1080));
  KM::numRows = 2;
  KM::numColumns = 3;
  winMain& w = open();
  w.show();
  EXPECT_EQ(w.Width(), 192);
  EXPECT_EQ(w.Height(), 158);
}

TEST_F(PaletteOpenTest, SizeFollowsTheGridNotAStaleSavedSize) {
  // The Grid Construct window changed rows and columns after the last redraw before the save.
  KM::initialWinTop = 200;
  KM::initialWinLeft = 50;
  KM::initialWinHeight = 670;
  KM::initialWinWidth = 640;
  KM::numRows = 3;
  KM::numColumns = 4;
  winMain& w = open();
  w.show();
  EXPECT_EQ(w.Top(), 200);
  EXPECT_EQ(w.Left(), 50);
  EXPECT_EQ(w.Width(), 256);
  EXPECT_EQ(w.Height(), 222);
}

TEST_F(PaletteOpenTest, DestroyedWindowLeavesTheStore) {
  open();
  window.reset();
  EXPECT_EQ(KM::paletteView, nullptr);
}

TEST_F(PaletteOpenTest, HugeStoredTextsAreCutForDisplayAndKeptWhole) {
  // A valid state file may hold a title of megabytes; X11 refuses such a title and ends
  // the program at every start.
  const QString huge = QString(4'000'000, QLatin1Char('t'));
  KM::paleWinTitle = "Work [*] " + huge;
  KM::paleAlias = huge;
  winMain& w = open();
  w.show();
  EXPECT_LE(w.windowTitle().size(), DisplayText::kMaxShownCharacters + 10);
  EXPECT_TRUE(w.windowHandle()->title().startsWith("Work [*] ttt"));  // Qt's placeholder shows as typed
  EXPECT_LE(w.labTip->text().size(), DisplayText::kMaxShownCharacters + 1);
  EXPECT_EQ(KM::paleAlias, huge);
  EXPECT_EQ(KM::paleWinTitle.size(), huge.size() + 9);

  KM::DP.at(2).s_Alias = huge;
  w.Event_EnableMenuItems();
  EXPECT_LE(w.miPalette02()->text().size(), DisplayText::kMaxShownCharacters + 10);
  EXPECT_EQ(KM::DP.at(2).s_Alias, huge);
}
