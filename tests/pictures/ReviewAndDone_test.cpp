#include <QApplication>
#include <QFile>
#include <QTimer>

#include "ButtonPicturesFixture.h"
#include "help/HelpData.h"
#include "help/winHelp.h"
#include "manage/WindowDriving.h"
#include "support/FocusChain.h"

namespace {

class ReviewAndDoneTest : public ButtonPicturesTest {
 protected:
  void SetUp() override {
    ButtonPicturesTest::SetUp();
    savePicture(folder() + "/05.png", {60, 55});
    savePicture(folder() + "/06.png", {64, 64});
  }
};

}  // namespace

TEST_F(ReviewAndDoneTest, AClickedRowIsReviewedUnlessAnAddIsPending) {
  withWindow([&](winButtonPics& w) {
    EXPECT_TRUE(w.labRevHt->isHidden());
    clickRow(w, 0);
    EXPECT_EQ(w.labSelect->text(), "05.png");
    EXPECT_EQ(w.labID->text(), "05");
    EXPECT_FALSE(w.labRevHt->isHidden());
    EXPECT_FALSE(w.labRevWth->isHidden());
    EXPECT_EQ(w.labRevHtValue->text(), "55");
    EXPECT_EQ(w.labRevWthValue->text(), "60");
    EXPECT_EQ(w.cnShow->backdrop().size(), QSize(60, 55));
    EXPECT_TRUE(w.pbToDesktop->isEnabled());
    EXPECT_EQ(w.lbButPic->currentRow(), 0);

    // A pending add: the list still selects, the review stays empty.
    chosen = FolderItem(folder() + "/06.png");
    w.pbSelectPicToAdd->click();
    clickRow(w, 1);
    EXPECT_EQ(w.lbButPic->currentRow(), 1);
    EXPECT_EQ(w.labSelect->text(), "");
    EXPECT_EQ(w.labID->text(), "");
    EXPECT_TRUE(w.cnShow->backdrop().isNull());
    EXPECT_FALSE(w.pbToDesktop->isEnabled());
  });
  EXPECT_TRUE(logLines.isEmpty());
}

// A file that went away after the check is reported; what was set before stays set.
TEST_F(ReviewAndDoneTest, AReviewedFileThatNoLongerOpensIsReported) {
  withWindow([&](winButtonPics& w) {
    clickRow(w, 1);
    writeFile(folder() + "/05.png", "no longer a picture");
    clickRow(w, 0);
    EXPECT_EQ(w.labSelect->text(), "05.png");
    EXPECT_EQ(w.labID->text(), "05");
    EXPECT_EQ(w.labRevHtValue->text(), "64");
    EXPECT_EQ(w.cnShow->backdrop().size(), QSize(64, 64));
  });
  EXPECT_EQ(logLines, QStringList{"Exception - winButtonPics.lbButPic.CellClick"});
}

TEST_F(ReviewAndDoneTest, DoneRefreshesThePaletteWindowTheCloseBoxDoesNot) {
  KM::paleWinTitle = "Tools [*]";  // the palette window shows it as written
  withWindow([&](winButtonPics& w) {
    // No button answers Return or Escape.
    clickRow(w, 0);
    QTest::keyClick(w.lbButPic, Qt::Key_Return);
    QTest::keyClick(w.lbButPic, Qt::Key_Escape);
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(QFile::exists(folder() + "/05.png"));
    EXPECT_TRUE(view.calls.isEmpty());
    w.pbDone->click();
    EXPECT_FALSE(w.isVisible());
  });
  EXPECT_EQ(view.calls, (QStringList{"erase", "redraw", "title:Tools [*]"}));

  view.calls.clear();
  withWindow([&](winButtonPics& w) { w.close(); });
  EXPECT_TRUE(view.calls.isEmpty());
  EXPECT_TRUE(logLines.isEmpty());
}

// Control as Qt reports it (Meta on macOS, where Qt's Control is Command) keeps the help
// closed; Command does not.
TEST_F(ReviewAndDoneTest, HelpShowsPageSixUnlessControlIsHeld) {
  HelpData::FillDictionaryFromHELP_TEXT();
  for (bool mac : {true, false}) {
    SCOPED_TRACE(mac ? "macOS" : "elsewhere");
    KeyModifiers::setMacMapping(mac);
    const Qt::KeyboardModifiers control = mac ? Qt::MetaModifier : Qt::ControlModifier;
    const Qt::KeyboardModifiers command = mac ? Qt::ControlModifier : Qt::MetaModifier;
    QStringList shown;
    withWindow([&](winButtonPics& w) {
      for (Qt::KeyboardModifiers keys : {control, control | Qt::ShiftModifier, command, Qt::KeyboardModifiers()}) {
        held = keys;
        QTimer::singleShot(0, [&] {
          if (auto* help = qobject_cast<winHelp*>(QApplication::activeModalWidget())) {
            shown << help->windowTitle();
            help->close();
          }
        });
        w.pbHelpButGraphics->click();
        QApplication::processEvents();
      }
    });
    EXPECT_EQ(shown, (QStringList{"Help: Button Pictures", "Help: Button Pictures"}));
  }
  HelpData::helpDict.reset();
  EXPECT_TRUE(logLines.isEmpty());
}

TEST_F(ButtonPicturesTest, TabVisitsTheControlsInTheirOrderHelpButtonLast) {
  HelpData::FillDictionaryFromHELP_TEXT();
  withWindow([&](winButtonPics& w) {
    const QList<QWidget*> order{w.pbDone, w.lbButPic,    w.pbToDesktop,      w.pbSelectPicToAdd,
                                w.pbAdd,  w.pbCancelAdd, w.pbHelpButGraphics};
    EXPECT_EQ(tabRound(w, order), oneRound(order));
    w.pbHelpButGraphics->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(helpTitleOpenedBy([&] { QTest::keyClick(w.pbHelpButGraphics, Qt::Key_Space); }),
              "Help: Button Pictures");
  });
  HelpData::helpDict.reset();
}
