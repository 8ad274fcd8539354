#include <QTest>
#include <nlohmann/json.hpp>

#include "manage/winNewPalette.h"
#include "manage/winSwitchPalette.h"
#include "palette/PaletteFixture.h"

namespace {

class PaletteManagementEndToEndTest : public PaletteWindowTest {
 protected:
  winMain& start() {
    winMain& w = open();
    w.show();
    activate();
    return w;
  }
  void activate() {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  }
  void cmd(Qt::Key key) { QTest::keyClick(window.get(), key, Qt::ControlModifier); }
};

}  // namespace

TEST_F(PaletteManagementEndToEndTest, CreateSwitchBackAndForthAndSaveBoth) {
  winMain& w = start();
  ModalSeam::ScopedDriver<winNewPalette> newPalette([](winNewPalette& n) {
    QTest::keyClicks(n.tfAlias, "Garage");
    n.pbOK->click();
  });
  w.miNewPalette()->trigger();
  ASSERT_EQ(KM::idxCP, 6);
  EXPECT_EQ(w.windowTitle(), "KM P06");
  EXPECT_EQ(w.labTip->text(), "Garage");
  EXPECT_EQ(w.labSeeNum->text(), "P06");
  // The Palette menu shows the new palette at once.
  EXPECT_EQ(w.miPalette06()->text(), "P06     Garage");
  EXPECT_FALSE(w.miPalette06()->isEnabled());
  EXPECT_TRUE(w.miPalette05()->isEnabled());

  activate();
  cmd(Qt::Key_5);
  ASSERT_EQ(KM::idxCP, 5);
  EXPECT_EQ(w.windowTitle(), "My Palette");

  ModalSeam::ScopedDriver<winSwitchPalette> switcher([](winSwitchPalette& s) {
    QTest::keyClicks(s.lbPalette, "06");
  });
  cmd(Qt::Key_P);
  ASSERT_EQ(KM::idxCP, 6);
  EXPECT_EQ(w.labTip->text(), "Garage");
  EXPECT_TRUE(w.miPalette05()->isEnabled());

  w.close();
  const auto saved = nlohmann::ordered_json::parse(readFile(dataFolder + "/PreserveState.txt").toStdString());
  ASSERT_EQ(saved.size(), 1u + 7 * 101);
  EXPECT_EQ(saved.at(0).at("CurrentPalette"), 6);
  EXPECT_EQ(saved.at(6 * 101 + 101).at("paleAlias"), "Garage");
  EXPECT_EQ(saved.at(5 * 101 + 101).at("paleAlias"), "Rubus");
  EXPECT_TRUE(logLines.isEmpty()) << logLines.join("\n").toStdString();
  EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
}
