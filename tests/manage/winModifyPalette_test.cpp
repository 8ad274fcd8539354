#include <QRegularExpression>
#include <QScreen>
#include <QTest>

#include "ManageFixture.h"
#include "manage/winModifyPalette.h"

namespace {

using ModifyPaletteTest = ManageTest;

}  // namespace

TEST_F(ModifyPaletteTest, OpensOnTheCurrentPaletteWithDeleteOfferedOnlyWhereAllowed) {
  struct Case {
    const char* name;
    qint64 current;
    bool onlyLive;  // every other slot freed
    bool deleteOffered;
  };
  const Case cases[] = {
      {"another palette current", 5, false, true},
      {"first palette current", 0, false, false},
      {"the only live palette", 5, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.onlyLive)
      for (qint64 i = 0; i < 5; ++i) KM::DP.at(static_cast<size_t>(i)).s_Alias = KM::noneMark;
    KM::ActivatePalette(c.current);
    openAndDrive<winModifyPalette>([&](winModifyPalette& w) {
      EXPECT_EQ(w.windowTitle(), "Palette: " + KM::paleWinTitle);
      EXPECT_EQ(w.labCurrentName->text(), KM::paleName);
      EXPECT_EQ(w.tfCurrentAlias->text(), KM::paleAlias);
      // Change Name waits for an edit, although the field holds an alias.
      EXPECT_FALSE(w.pbChangeAlias->isEnabled());
      EXPECT_TRUE(QRegularExpression("^[a-z]{5}$").match(w.tfAlias->text()).hasMatch());
      EXPECT_TRUE(w.pbNewPalette->isEnabled());
      EXPECT_EQ(w.pbDeletePalette->isEnabled(), c.deleteOffered);
    });
  }
}

TEST_F(ModifyPaletteTest, FieldsLoseLeadingNonLettersAndOfferTheirButtonFromTwoCharacters) {
  openAndDrive<winModifyPalette>([](winModifyPalette& w) {
    struct Case {
      QString typed, kept;
      bool offered;
    };
    const Case cases[] = {
        {"12abc", "abc", true}, {" (x", "x", false}, {"", "", false},
        {"\u00e9lan", "lan", true}, {"Ab", "Ab", true}, {"Rubus", "Rubus", true},
    };
    for (const auto& [field, button] : {std::pair{w.tfCurrentAlias, w.pbChangeAlias}, {w.tfAlias, w.pbNewPalette}}) {
      for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        field->setText(c.typed);
        EXPECT_EQ(field->text(), c.kept);
        EXPECT_EQ(button->isEnabled(), c.offered);
      }
      field->clear();
      QTest::keyClicks(field, "9 Tools");
      EXPECT_EQ(field->text(), "Tools");
    }
  });
}

TEST_F(ModifyPaletteTest, EscapeReturnAndCancelChangeNothing) {
  for (const char* how : {"Escape", "Return", "Cancel"}) {
    SCOPED_TRACE(how);
    const bool open = openAndDrive<winModifyPalette>([&](winModifyPalette& w) {
      w.tfAlias->setText("Fresh");
      if (QString(how) == "Escape") QTest::keyClick(w.tfAlias, Qt::Key_Escape);
      if (QString(how) == "Return")
        for (QPushButton* button : w.findChildren<QPushButton*>()) QTest::keyClick(button, Qt::Key_Return);
      if (QString(how) == "Cancel") w.pbCancel->click();
    });
    EXPECT_EQ(open, QString(how) == "Return");
    EXPECT_EQ(KM::DP.size(), 6u);
    EXPECT_EQ(KM::idxCP, 5);
    EXPECT_TRUE(view.calls.isEmpty());
    EXPECT_FALSE(KM::paletteActiveChange);
  }
}

TEST_F(ModifyPaletteTest, EachPanelActsThroughTheSharedOperations) {
  // Change Name: the new-alias rules keep "&".
  EXPECT_FALSE(openAndDrive<winModifyPalette>([](winModifyPalette& w) {
    w.tfCurrentAlias->setText("Rubus & Co");
    w.pbChangeAlias->click();
  }));
  EXPECT_EQ(KM::DP.at(5).s_Alias, "Rubus & Co");
  EXPECT_EQ(view.calls, QStringList{"tip:Rubus & Co"});

  // Create Palette: a new slot, current and shown.
  view.calls.clear();
  EXPECT_FALSE(openAndDrive<winModifyPalette>([](winModifyPalette& w) {
    w.tfAlias->setText("alias1");
    w.pbNewPalette->click();
  }));
  ASSERT_EQ(KM::DP.size(), 7u);
  EXPECT_EQ(KM::idxCP, 6);
  EXPECT_EQ(KM::paleAlias, "alias101");
  EXPECT_EQ(view.calls, (QStringList{"erase", "redraw", "title:KM P06", "tip:alias101", "number:P06"}));

  // Delete Palette: declined keeps the window open; confirmed frees the slot.
  view.calls.clear();
  {
    ConfirmationAnswer cancel(false);
    EXPECT_TRUE(openAndDrive<winModifyPalette>([](winModifyPalette& w) { w.pbDeletePalette->click(); }));
    EXPECT_EQ(KM::idxCP, 6);
  }
  ConfirmationAnswer ok(true);
  EXPECT_FALSE(openAndDrive<winModifyPalette>([](winModifyPalette& w) { w.pbDeletePalette->click(); }));
  EXPECT_EQ(KM::DP.at(6).s_Alias, KM::noneMark);
  EXPECT_EQ(KM::idxCP, 0);
  EXPECT_TRUE(logLines.isEmpty()) << logLines.join("\n").toStdString();
}

TEST_F(ModifyPaletteTest, ThreeColouredPanelsUnderTheirControls) {
  openAndDrive<winModifyPalette>([](winModifyPalette& w) {
    EXPECT_EQ(w.size(), QSize(360, 400));
    EXPECT_TRUE(w.windowFlags() & Qt::WindowCloseButtonHint);
    QCoreApplication::processEvents();
    const QImage screen = w.screen()->grabWindow(w.winId()).toImage();
    EXPECT_EQ(screen.pixelColor(30, 110), QColor(0x04, 0x32, 0xFF));
    EXPECT_EQ(screen.pixelColor(30, 240), QColor(0x8D, 0xF9, 0x00));
    EXPECT_EQ(screen.pixelColor(30, 330), QColor(0xFF, 0x4A, 0x23));
    EXPECT_EQ(screen.pixelColor(20, 20), QColor(Qt::black));
    // The controls lie above the panels.
    EXPECT_NE(screen.pixelColor(260, 80), QColor(0x04, 0x32, 0xFF));
    EXPECT_NE(screen.pixelColor(260, 220), QColor(0x8D, 0xF9, 0x00));
    EXPECT_NE(screen.pixelColor(180, 310), QColor(0xFF, 0x4A, 0x23));
  });
}
