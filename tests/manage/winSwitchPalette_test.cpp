#include <QScrollBar>
#include <QTest>

#include "help/HelpData.h"
#include "manage/winSwitchPalette.h"
#include "WindowDriving.h"
#include "store/StoreFixture.h"

namespace {

// P00 "Original", P01 freed, P02 "Garden" (current, titled "Garden Tools"), P03 "Office".
class SwitchPaletteWindowTest : public StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    makeStore({KM::noneMark, "Garden", "Office"}, 2);
    KM::paleWinTitle = KM::DP[2].s_WinTitle = "Garden Tools";
  }

  static bool open(const std::function<void(winSwitchPalette&)>& drive) { return openAndDrive(drive); }

  static void clickRow(winSwitchPalette& w, int row, int column = 1) {
    const QRect cell = w.lbPalette->visualRect(w.lbPalette->model()->index(row, column));
    QTest::mouseClick(w.lbPalette->viewport(), Qt::LeftButton, {}, cell.center());
  }

  static QStringList rows(winSwitchPalette& w) {
    QStringList out;
    for (int r = 0; r < w.lbPalette->rowCount(); ++r)
      out << w.lbPalette->item(r, 0)->text() + " " + w.lbPalette->item(r, 1)->text();
    return out;
  }
};

}  // namespace

TEST_F(SwitchPaletteWindowTest, OpensOnThePalettesInUseAndGrowsOnlyInHeight) {
  const bool stillOpen = open([&](winSwitchPalette& w) {
    EXPECT_EQ(rows(w), (QStringList{"P00 Original", "P02 Garden", "P03 Office"}));
    EXPECT_TRUE(w.lbPalette->selectedItems().isEmpty());
    EXPECT_EQ(w.windowTitle(), "Garden Tools");
    EXPECT_EQ(w.labCurrentAlias->text(), "Garden");
    for (QLabel* placeholder : {w.labChoiceName, w.labChoiceAlias, w.labChoiceTitle, w.labType})
      EXPECT_EQ(placeholder->text(), "");
    EXPECT_FALSE(w.pbOK->isEnabled());
    EXPECT_EQ(w.tiBothDigits->interval(), 2000);
    EXPECT_TRUE(w.tiBothDigits->isSingleShot());
    EXPECT_FALSE(w.windowFlags() & Qt::WindowCloseButtonHint);

    EXPECT_EQ(w.minimumSize(), QSize(240, 400));
    EXPECT_EQ(w.maximumSize(), QSize(240, 800));
    w.resize(240, 600);
    EXPECT_EQ(w.lbPalette->geometry(), QRect(20, 50, 200, 430));
    EXPECT_EQ(w.labChoiceTitle->geometry(), QRect(0, 490, 240, 20));
    EXPECT_EQ(w.pbOK->geometry(), QRect(140, 560, 80, 20));
    EXPECT_EQ(w.labType->geometry(), QRect(220, 580, 20, 20));
    EXPECT_EQ(w.pbHelpSwiPal->geometry(), QRect(210, 5, 25, 25));
  });
  EXPECT_TRUE(stillOpen);
}

TEST_F(SwitchPaletteWindowTest, TwoTypedDigitsPickAPalette) {
  struct Case {
    const char* name;
    QString keys;  // "~" lets the digit timer fire; "R", "E", "S", "T": Return, Escape, Shift alone, Tab
    qint64 current;
    bool stillOpen;
    QString firstTyped;
    QString labType;
    QStringList messages;
  };
  const QString already = "This is the already chosen palette.";
  const Case cases[] = {
      {"another palette", "03", 3, false, "", "03", {}},
      {"a modifier alone is no key", "0S3", 3, false, "", "03", {}},
      {"the current palette", "02", 2, true, "", "02", {already}},
      {"a freed slot", "01", 2, true, "", "01", {}},
      {"a number nobody has", "47", 2, true, "", "47", {}},
      {"a letter ends the entry", "0x3", 2, true, "3", "3", {}},
      {"a third digit begins anew", "010", 2, true, "0", "0", {}},
      {"Return ends the entry", "0R", 2, true, "", "", {}},
      {"Escape ends the entry", "0E", 2, true, "", "", {}},
      {"too slow: the second digit begins anew", "0~3", 2, true, "3", "3", {}},
      {"Tab ends the entry", "0T2", 2, true, "2", "2", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    KM::ActivatePalette(2);
    messages.clear();
    QString firstTyped, labType, choiceName, choiceTitle;
    const bool stillOpen = open([&](winSwitchPalette& w) {
      w.tiBothDigits->setInterval(1);
      for (QChar k : c.keys) {
        // Keys go to whichever control has the focus: at first the list.
        QWidget* focused = w.focusWidget() ? w.focusWidget() : w.lbPalette;
        // (Qt's QTRY_ macros report to Qt Test, which GoogleTest does not hear.)
        if (k == '~') EXPECT_TRUE(QTest::qWaitFor([&] { return w.firstTyped.isEmpty(); }));
        else if (k == 'R') QTest::keyClick(focused, Qt::Key_Return);
        else if (k == 'E') QTest::keyClick(focused, Qt::Key_Escape);
        else if (k == 'S') QTest::keyClick(focused, Qt::Key_Shift, Qt::ShiftModifier);
        else if (k == 'T') {
          QTest::keyClick(focused, Qt::Key_Tab);
          EXPECT_NE(w.focusWidget(), focused);  // and the focus moved on
        } else QTest::keyClick(focused, k.toLatin1());
      }
      firstTyped = w.firstTyped;
      labType = w.labType->text();
      choiceName = w.labChoiceName->text();
      choiceTitle = w.labChoiceTitle->text();
      EXPECT_FALSE(w.pbOK->isEnabled());
    });
    EXPECT_EQ(KM::idxCP, c.current);
    EXPECT_EQ(stillOpen, c.stillOpen);
    EXPECT_EQ(messages, c.messages);
    if (!stillOpen) continue;
    EXPECT_EQ(firstTyped, c.firstTyped);
    EXPECT_EQ(labType, c.labType);
    EXPECT_EQ(choiceName, c.messages.isEmpty() ? "" : "P02");
    EXPECT_EQ(choiceTitle, c.messages.isEmpty() ? "" : "Garden Tools");
  }
  EXPECT_TRUE(logLines.isEmpty());
}

TEST_F(SwitchPaletteWindowTest, ClickedRowThenOKSwitchesToThatRowsSlot) {
  const bool stillOpen = open([&](winSwitchPalette& w) {
    clickRow(w, 1, 0);  // the current palette, in either column
    EXPECT_EQ(messages, QStringList{"This is the already chosen palette."});
    EXPECT_FALSE(w.pbOK->isEnabled());
    EXPECT_EQ(w.labChoiceName->text(), "P02");

    clickRow(w, 2, 1);
    EXPECT_EQ(w.labChoiceName->text(), "P03");
    EXPECT_EQ(w.labChoiceAlias->text(), "Office");
    EXPECT_EQ(w.labChoiceTitle->text(), "KM P03");
    EXPECT_EQ(w.lbPalette->currentRow(), 2);
    ASSERT_TRUE(w.pbOK->isEnabled());
    w.pbOK->click();
  });
  EXPECT_FALSE(stillOpen);
  // The third row is slot 3, not slot 2.
  EXPECT_EQ(KM::idxCP, 3);
  EXPECT_EQ(view.calls, (QStringList{"erase", "redraw", "title:KM P03", "tip:Office", "number:P03"}));
  EXPECT_EQ(messages.size(), 1);
  EXPECT_TRUE(logLines.isEmpty());
}

TEST_F(SwitchPaletteWindowTest, RowsOfTwinAliasesEachSwitchToTheirOwnSlot) {
  // A hand-edited state file can repeat an alias in another letter case.
  KM::DP[1].s_Alias = "office";
  KM::DP[3].s_Alias = "OFFICE";
  for (int row : {1, 3}) {
    KM::ActivatePalette(0);
    open([&](winSwitchPalette& w) {
      clickRow(w, row);
      w.pbOK->click();
    });
    EXPECT_EQ(KM::idxCP, row);
  }
  KM::ActivatePalette(0);
  open([](winSwitchPalette& w) { QTest::keyClicks(w.lbPalette, "03"); });
  EXPECT_EQ(KM::idxCP, 3);
  EXPECT_TRUE(messages.isEmpty());
  EXPECT_TRUE(logLines.isEmpty());
}

TEST_F(SwitchPaletteWindowTest, CancelAndAWindowManagerCloseChangeNothing) {
  const std::pair<const char*, std::function<void(winSwitchPalette&)>> ways[] = {
      {"Cancel", [](winSwitchPalette& w) { w.pbCancel->click(); }},
      {"window manager", [](winSwitchPalette& w) { w.close(); }},
  };
  for (const auto& [name, way] : ways) {
    SCOPED_TRACE(name);
    const bool stillOpen = open([&](winSwitchPalette& w) {
      clickRow(w, 2);
      way(w);
    });
    EXPECT_FALSE(stillOpen);
    EXPECT_EQ(KM::idxCP, 2);
    EXPECT_FALSE(KM::paletteActiveChange);
    EXPECT_TRUE(view.calls.isEmpty());
  }
}

TEST_F(SwitchPaletteWindowTest, HelpShowsItsPageAndHandlersReportUnderTheirOwnNames) {
  HelpData::FillDictionaryFromHELP_TEXT();
  QString helpTitle;
  const bool stillOpen = open([&](winSwitchPalette& w) {
    helpTitle = helpTitleOpenedBy([&] { w.pbHelpSwiPal->click(); });

    // The palette list lost its records behind the window's back.
    KM::DP.resize(1);
    clickRow(w, 2);
    QTest::keyClicks(w.lbPalette, "02");
  });
  EXPECT_EQ(helpTitle, "Help: Switch Palette");
  EXPECT_TRUE(stillOpen);
  EXPECT_EQ(logLines, (QStringList{"Exception - winSwitchPalette.lbPalette.CellClick",
                                   "Exception - winSwitchPalette.KeyDown"}));
  EXPECT_TRUE(view.calls.isEmpty());
  HelpData::helpDict.reset();
}

TEST_F(SwitchPaletteWindowTest, ColumnsFitInsideTheListAndItNeverScrollsSideways) {
  // Three rows, then enough long aliases for the vertical scroll bar to take its share.
  for (const int more : {0, 20}) {
    SCOPED_TRACE(more);
    QStringList aliases{KM::noneMark, "Garden", "Office"};
    for (int i = 0; i < more; ++i) aliases << QString(40, 'w') + QString::number(i);
    KM::DP.clear();
    makeStore(aliases, 2);
    open([&](winSwitchPalette& w) {
      QTableWidget& list = *w.lbPalette;
      QApplication::processEvents();
      EXPECT_EQ(list.verticalScrollBar()->isVisible(), more > 0);
      EXPECT_EQ(list.columnWidth(0), 40);
      EXPECT_EQ(list.columnWidth(0) + list.columnWidth(1), list.viewport()->width());
      // A click at the right end of the last alias.
      list.scrollToBottom();
      const QRect cell = list.visualRect(list.model()->index(list.rowCount() - 1, 1));
      QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(cell.right() - 1, cell.center().y()));
      EXPECT_EQ(list.horizontalScrollBar()->maximum(), 0);
      EXPECT_EQ(list.horizontalScrollBar()->value(), 0);
    });
  }
}
