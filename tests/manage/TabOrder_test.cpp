#include <QImage>
#include <QTest>

#include "ManageFixture.h"
#include "manage/winChangeAlias.h"
#include "manage/winDeletePalette.h"
#include "manage/winNewPalette.h"
#include "manage/winSwitchPalette.h"
#include "support/FocusChain.h"

namespace {

using TabOrderTest = ManageTest;

// Tab visits the window's controls in the given order, the help button among them, and Space
// on the help button shows the window's help page.
template <class W>
void tabsThrough(const std::function<QList<QWidget*>(W&)>& order, QPushButton* W::*help, const QString& page) {
  openAndDrive<W>([&](W& w) {
    EXPECT_EQ(tabRound(w, order(w)), oneRound(order(w)));
    QPushButton* button = w.*help;
    const QImage unfocused = button->grab().toImage();
    button->setFocus(Qt::TabFocusReason);
    // The flat button shows that it has the focus.
    EXPECT_NE(button->grab().toImage(), unfocused);
    EXPECT_EQ(helpTitleOpenedBy([&] { QTest::keyClick(button, Qt::Key_Space); }), page);
  });
}

}  // namespace

TEST_F(TabOrderTest, TabVisitsEachWindowsControlsHelpButtonIncluded) {
  {
    SCOPED_TRACE("Switch Palette");
    tabsThrough<winSwitchPalette>(
        [](winSwitchPalette& w) { return QList<QWidget*>{w.pbOK, w.pbCancel, w.lbPalette, w.pbHelpSwiPal}; },
        &winSwitchPalette::pbHelpSwiPal, "Help: Switch Palette");
  }
  {
    SCOPED_TRACE("New Palette");
    tabsThrough<winNewPalette>(
        [](winNewPalette& w) { return QList<QWidget*>{w.pbCancel, w.pbOK, w.pbHelpNewPal, w.tfAlias}; },
        &winNewPalette::pbHelpNewPal, "Help: New Palette");
  }
  {
    SCOPED_TRACE("Change Name/Alias");
    tabsThrough<winChangeAlias>(
        [](winChangeAlias& w) {
          return QList<QWidget*>{w.pbCancel, w.pbMakeChange, w.pbHelpChgAlias, w.tfAlias, w.tfWinTitle};
        },
        &winChangeAlias::pbHelpChgAlias, "Help: Change the Alias");
  }
  {
    SCOPED_TRACE("Delete Palette");
    tabsThrough<winDeletePalette>(
        [](winDeletePalette& w) { return QList<QWidget*>{w.pbCancel, w.pbDelete, w.pbHelpDelPal}; },
        &winDeletePalette::pbHelpDelPal, "Help: Delete Palette");
  }
  EXPECT_TRUE(logLines.isEmpty());
  EXPECT_EQ(KM::idxCP, 5);
}

// Only the rename window's two fields go without a focus frame; New Palette's alias field
// shows the platform's.
TEST_F(TabOrderTest, OnlyTheRenameWindowsFieldsHideTheirFocusFrame) {
  openAndDrive<winNewPalette>([](winNewPalette& w) {
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_TRUE(focusChangesRing(w.tfAlias));
  });
  openAndDrive<winChangeAlias>([](winChangeAlias& w) {
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_FALSE(focusChangesRing(w.tfAlias));
    EXPECT_FALSE(focusChangesRing(w.tfWinTitle));
  });
}
