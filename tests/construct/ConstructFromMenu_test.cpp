#include <QTest>
#include <nlohmann/json.hpp>

#include "construct/winConstruct.h"
#include "palette/PaletteFixture.h"

// Through the real palette window: Configure > "Grid Construct", one button edited, rows
// lowered, a new title, Done; then the palette window closes and the state file holds it all.
TEST_F(PaletteWindowTest, GridConstructFromTheMenuReachesTheStateFile) {
  winMain& w = open();
  w.show();
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));  // menu entries act for the active palette window
  bool driven = false;
  ModalSeam::ScopedDriver<winConstruct> user([&](winConstruct& c) {
    driven = true;
    EXPECT_EQ(c.windowTitle(), "Grid Construct: My Palette");
    QTest::mouseClick(c.rectGrid[12], Qt::LeftButton);
    c.tfTip->setText("  Twelve  ");
    c.pbOK->click();
    c.ccRowUpDown->udChangeVal->downArrow->click();
    c.tfWinTitle->setText("Garden; Tools");
    c.pbDone->click();
  });
  ASSERT_TRUE(w.miConstruct()->isEnabled());
  w.miConstruct()->trigger();
  ASSERT_TRUE(driven);

  // The palette window took the new grid and title at Done.
  EXPECT_EQ(w.windowTitle(), "Garden Tools");
  EXPECT_EQ(w.Height(), 9 * winMain::kButtonSize + winMain::kStripHeight);
  EXPECT_TRUE(w.cnBut[95]->isHidden());
  EXPECT_FALSE(w.cnBut[85]->isHidden());

  w.close();
  const auto saved = nlohmann::json::parse(readFile(dataFolder + "/PreserveState.txt").toStdString());
  const auto& palette = saved.at(1 + 101 * 5 + 100);
  EXPECT_EQ(palette.at("numRows"), 9);
  EXPECT_EQ(palette.at("paleWinTitle"), "Garden Tools");
  EXPECT_EQ(saved.at(1 + 101 * 5 + 12).at("Tip"), "Twelve");
  EXPECT_EQ(saved.at(1 + 101 * 5 + 95).at("Vis"), false);
  EXPECT_EQ(saved.at(1 + 101 * 5 + 85).at("Vis"), true);
  EXPECT_TRUE(logLines.isEmpty());
  EXPECT_TRUE(messages.isEmpty());
}
