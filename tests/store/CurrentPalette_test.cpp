#include "store/StoreFixture.h"

using CurrentPaletteTest = StoreTest;

TEST_F(CurrentPaletteTest, ActivationSharesTheRecordsButtonArray) {
  makeStore({"Second"});
  EXPECT_EQ(KM::aBtn, KM::DP[0].a_Btn);
  KM::aBtn->at(23).Tip = "Open mail";  // an edit through the mirror is in the record at once
  EXPECT_EQ(KM::DP[0].a_Btn->at(23).Tip, "Open mail");

  KM::BreakBtnLinkToDP();
  EXPECT_TRUE(KM::aBtn->empty());
  EXPECT_EQ(KM::DP[0].a_Btn->size(), 100u);
  EXPECT_EQ(KM::DP[0].a_Btn->at(23).Tip, "Open mail");

  KM::ActivatePalette(1);
  EXPECT_EQ(KM::aBtn, KM::DP[1].a_Btn);
  EXPECT_EQ(KM::paleName, "P01");
  EXPECT_EQ(KM::paleAlias, "Second");
  EXPECT_EQ(KM::paleWinTitle, "KM P01");
  EXPECT_FALSE(KM::paletteActiveChange || KM::paletteContentChange);
  EXPECT_TRUE(view.calls.isEmpty());
}

TEST_F(CurrentPaletteTest, FailedActivationKeepsTheCurrentPalette) {
  makeStore({"Second", "Broken"}, 1);
  KM::DP[2].a_Btn->pop_back();
  KM::numRows = 3;  // an unsaved mirror edit survives as well
  const BtnArrayRef linked = KM::aBtn;

  for (qint64 index : {qint64(-1), qint64(3), qint64(2)}) {
    logLines.clear();
    KM::ActivatePalette(index);
    EXPECT_EQ(logLines, QStringList{"Exception - KM.ActivatePalette"}) << index;
    EXPECT_EQ(KM::idxCP, 1);
    EXPECT_EQ(KM::aBtn, linked);
    EXPECT_EQ(KM::paleAlias, "Second");
    EXPECT_EQ(KM::numRows, 3);
  }
}

TEST_F(CurrentPaletteTest, SwitchToTheCurrentPaletteOnlyTellsSo) {
  makeStore({"Second"});
  KM::paletteContentChange = true;
  KM::paleWinTitle = "Unsaved";
  KM::ChangeToPalette(0);
  EXPECT_EQ(messages,
            QStringList{"You are trying to change to the currently active palette. There is nothing to do."});
  EXPECT_FALSE(KM::paletteActiveChange);
  EXPECT_EQ(KM::DP[0].s_WinTitle, "KM Palette");
  EXPECT_TRUE(view.calls.isEmpty());
}

TEST_F(CurrentPaletteTest, SwitchSavesMirrorsOnlyWithContentFlagAndRefreshesInOrder) {
  makeStore({"Second"});
  KM::paleWinTitle = "Not flagged";
  KM::ChangeToPalette(1);
  EXPECT_EQ(KM::DP[0].s_WinTitle, "KM Palette");
  EXPECT_EQ(view.calls, (QStringList{"erase", "redraw", "title:KM P01", "tip:Second", "number:P01"}));
  EXPECT_TRUE(KM::paletteActiveChange);
  EXPECT_FALSE(KM::paletteContentChange);
  EXPECT_TRUE(messages.isEmpty());

  // A title changed on palette B (as the Grid Construct window does) survives B -> A -> B.
  KM::paleWinTitle = "Mail tools";
  KM::numRows = 4;
  KM::paletteContentChange = true;
  KM::ChangeToPalette(0);
  KM::ChangeToPalette(1);
  EXPECT_EQ(KM::paleWinTitle, "Mail tools");
  EXPECT_EQ(KM::numRows, 4);
  EXPECT_EQ(view.calls.mid(10, 3), (QStringList{"erase", "redraw", "title:Mail tools"}));
  EXPECT_EQ(KM::DP[0].s_WinTitle, "KM Palette");

  // Without a window the switch happens and is reported.
  KM::paletteView = nullptr;
  KM::ChangeToPalette(0);
  EXPECT_EQ(KM::idxCP, 0);
  EXPECT_EQ(logLines, QStringList{"Exception - KM.ChangeToPalette"});
}

TEST_F(CurrentPaletteTest, SaveBackWithoutContentFlagStillMarksActiveChange) {
  makeStore({});
  KM::paleAlias = "Changed";
  KM::SavePaletteToDP();
  EXPECT_EQ(KM::DP[0].s_Alias, "Original");
  EXPECT_TRUE(KM::paletteActiveChange);
  KM::paletteContentChange = true;
  KM::SavePaletteToDP();
  EXPECT_EQ(KM::DP[0].s_Alias, "Changed");
  EXPECT_EQ(KM::DP[0].a_Btn, KM::aBtn);
}

TEST_F(CurrentPaletteTest, NewPaletteReusesFirstFreedSlot) {
  makeStore({"\u2400", "Used", "\u2400"});
  KM::CreateNewPalette("Fresh");
  EXPECT_EQ(KM::DP.size(), 4u);
  EXPECT_EQ(KM::idxCP, 1);
  EXPECT_EQ(KM::paleName, "P01");
  EXPECT_EQ(KM::paleAlias, "Fresh");
  EXPECT_EQ(KM::paleWinTitle, "KM P01");
  EXPECT_EQ(KM::numRows, 10);
  EXPECT_EQ(KM::numColumns, 10);
  EXPECT_EQ(KM::DP[1].s_Alias, "Fresh");
  EXPECT_TRUE(KM::aBtn->empty());  // the New Palette window links it
  EXPECT_EQ(KM::DP[1].a_Btn->size(), 100u);
  EXPECT_TRUE(KM::paletteContentChange && KM::paletteActiveChange);
  EXPECT_TRUE(view.calls.isEmpty());
}

TEST_F(CurrentPaletteTest, NewPaletteIsAppendedWhenNoneIsFreedAndKeepsTheOldTitle) {
  makeStore({"B", "C"});
  KM::paleWinTitle = "Changed on A";
  KM::paletteContentChange = true;
  KM::CreateNewPalette("D");
  ASSERT_EQ(KM::DP.size(), 4u);
  EXPECT_EQ(KM::idxCP, 3);
  EXPECT_EQ(KM::DP[3].s_Name, "P03");
  EXPECT_EQ(KM::DP[3].s_WinTitle, "KM P03");
  EXPECT_EQ(KM::DP[3].s_Alias, "D");
  EXPECT_EQ(KM::DP[3].a_Btn->at(0).Shortcut, "a");

  KM::aBtn = KM::DP[3].a_Btn;
  KM::ChangeToPalette(0);
  EXPECT_EQ(KM::paleWinTitle, "Changed on A");
}

TEST_F(CurrentPaletteTest, NewPaletteAndActivateIsOneStepThatCompletesOrChangesNothing) {
  makeStore({"B", "\u2400"});
  KM::CreateNewPaletteAndActivate("Fresh");
  ASSERT_EQ(KM::idxCP, 2);
  EXPECT_EQ(KM::aBtn, KM::DP[2].a_Btn);
  KM::aBtn->at(5).Tip = "edited";
  EXPECT_EQ(KM::DP[2].a_Btn->at(5).Tip, "edited");
  EXPECT_EQ(KM::AllAliases(), (QStringList{"Original", "B", "Fresh"}));

  // Default buttons cannot be made without the shortcut alphabet: reported, nothing changed.
  KM::resetToInitialValues();
  KM::MakeAlphabetShortcuts();
  makeStore({"B", "C"});
  const BtnArrayRef linked = KM::aBtn;
  KM::aAlphabetShortcut.clear();
  EXPECT_FALSE(KM::CreateNewPaletteAndActivate("Fresh"));
  EXPECT_EQ(logLines, QStringList{"Exception - KM.CreateNewPalette"});
  EXPECT_EQ(KM::DP.size(), 3u);
  EXPECT_EQ(KM::idxCP, 0);
  EXPECT_EQ(KM::aBtn, linked);
  EXPECT_EQ(KM::paleAlias, "Original");
}

TEST_F(CurrentPaletteTest, Lookups) {
  makeStore({"Mail", "\u2400"});
  EXPECT_EQ(KM::IndexFromAlias("ORIGINAL"), 0);
  EXPECT_EQ(KM::IndexFromAlias("mail"), 1);
  EXPECT_TRUE(messages.isEmpty());
  EXPECT_EQ(KM::IndexFromAlias("Nowhere"), -1);
  EXPECT_EQ(messages,
            QStringList{"IndexFromAlias method called and no dictionary in KM.DicPalette found with the alias: Nowhere"});
  EXPECT_EQ(KM::CountActivePalette(), 2);

  // Shortcuts respect letter case; the first button in number order wins; hidden buttons and
  // buttons outside the grid are found all the same.
  KM::aBtn->at(0).Shortcut = "A";
  KM::aBtn->at(26).Shortcut = "a";
  KM::aBtn->at(26).Vis = false;
  KM::numRows = 1;
  EXPECT_EQ(KM::sID_FromShortcut("a"), "26");
  EXPECT_EQ(KM::sID_FromShortcut("A"), "00");
  KM::aBtn->at(16).Shortcut = KM::noneMark;
  EXPECT_EQ(KM::sID_FromShortcut("q"), "");

  KM::BreakBtnLinkToDP();
  EXPECT_EQ(KM::sID_FromShortcut("a"), "");
  EXPECT_EQ(logLines, QStringList{"Exception - KM.sID_FromShortcut"});
}
