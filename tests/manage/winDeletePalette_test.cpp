#include <QFileInfo>
#include <QTest>
#include <functional>

#include "ManageFixture.h"
#include "manage/winDeletePalette.h"
#include "platform/KeyModifiers.h"

namespace {

class DeletePaletteTest : public ManageTest {
 protected:
  void TearDown() override {
    KeyModifiers::setProbe({});
    KeyModifiers::setMacMapping(std::nullopt);
    ManageTest::TearDown();
  }
};

}  // namespace

TEST_F(DeletePaletteTest, ShowsWhatIsAboutToGoAndOffersDeleteOnlyWhereAllowed) {
  picture(pictures() + "/00.png", Qt::red);
  openAndDrive<winDeletePalette>([](winDeletePalette& w) {
    EXPECT_EQ(w.windowTitle(), "Delete Palette");
    EXPECT_EQ(w.labNameID->text(), "P05");
    EXPECT_EQ(w.labNameAlias->text(), "Rubus");
    EXPECT_EQ(w.labWindowTitle->text(), "My Palette");
    EXPECT_FALSE(w.myPict00.isNull());
    EXPECT_TRUE(w.myPict01.isNull());
    EXPECT_TRUE(w.pbDelete->isEnabled());
    EXPECT_FALSE(w.labInfo->isEnabled());
    EXPECT_TRUE(w.labInfo->text().startsWith("When a palette is deleted, as a precaution,"));
    EXPECT_TRUE(w.labInfo->text().contains("future palettes.\n\nThe macros in Keyboard Maestro"));
  });
  KM::ActivatePalette(0);
  openAndDrive<winDeletePalette>([](winDeletePalette& w) {
    EXPECT_FALSE(w.pbDelete->isEnabled());
    EXPECT_EQ(w.labNameAlias->text(), "Original");
  });
}

TEST_F(DeletePaletteTest, DeclinedStaysOpenConfirmedDeletesAndCloses) {
  picture(pictures() + "/00.png", Qt::red);
  {
    ConfirmationAnswer cancel(false);
    EXPECT_TRUE(openAndDrive<winDeletePalette>([](winDeletePalette& w) {
      w.pbDelete->click();
      w.pbDelete->click();
    }));
    EXPECT_EQ(cancel.asked, 2);
    EXPECT_EQ(KM::idxCP, 5);
    EXPECT_TRUE(view.calls.isEmpty());
  }
  ConfirmationAnswer ok(true);
  EXPECT_FALSE(openAndDrive<winDeletePalette>([](winDeletePalette& w) { w.pbDelete->click(); }));
  EXPECT_EQ(KM::idxCP, 0);
  EXPECT_EQ(KM::DP.at(5).s_Alias, KM::noneMark);
  EXPECT_TRUE(QFileInfo::exists(desktop + "/DeletedPalettePictures/P05/00.png"));
  EXPECT_TRUE(logLines.isEmpty());
}

TEST_F(DeletePaletteTest, FailedMoveIsReportedAndLeavesThePaletteAndTheWindow) {
  picture(pictures() + "/00.png", Qt::red);
  writeFile(desktop + "/DeletedPalettePictures", "in the way");
  ConfirmationAnswer ok(true);
  EXPECT_TRUE(openAndDrive<winDeletePalette>([](winDeletePalette& w) { w.pbDelete->click(); }));
  EXPECT_EQ(logLines, QStringList{"Exception - winDeletePalette.pbDelete.Action"});
  EXPECT_EQ(KM::idxCP, 5);
  EXPECT_EQ(KM::DP.at(5).s_Alias, "Rubus");
  EXPECT_TRUE(QFileInfo::exists(pictures() + "/00.png"));
}

// Control as Qt reports it (Meta on macOS, where Qt's Control is Command) keeps the help
// closed; Command does not.
TEST_F(DeletePaletteTest, HelpShowsItsPageUnlessControlIsHeld) {
  Qt::KeyboardModifiers held;
  KeyModifiers::setProbe([&] { return held; });
  for (bool mac : {true, false}) {
    SCOPED_TRACE(mac ? "macOS keys" : "other keys");
    KeyModifiers::setMacMapping(mac);
    const Qt::KeyboardModifier control = mac ? Qt::MetaModifier : Qt::ControlModifier;
    const Qt::KeyboardModifier command = mac ? Qt::ControlModifier : Qt::MetaModifier;
    EXPECT_TRUE(openAndDrive<winDeletePalette>([&](winDeletePalette& w) {
      const std::pair<Qt::KeyboardModifiers, QString> cases[] = {
          {control, ""}, {control | Qt::ShiftModifier, ""}, {command, "Help: Delete Palette"}, {{}, "Help: Delete Palette"}};
      for (const auto& [keys, shown] : cases) {
        held = keys;
        // Events are let through inside, so nothing is left waiting for a help window.
        EXPECT_EQ(helpTitleOpenedBy([&] {
                    w.pbHelpDelPal->click();
                    QCoreApplication::processEvents();
                  }),
                  shown);
      }
    }));
  }
}
