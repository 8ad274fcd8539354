#include "common/RuntimeException.h"
#include "manage/PaletteCreation.h"
#include "store/StoreFixture.h"

using PaletteCreationTest = StoreTest;

TEST_F(PaletteCreationTest, NewPaletteTakesTheFreedSlotBecomesCurrentAndIsShown) {
  makeStore({"Work", KM::noneMark, "Home"}, 3);
  // Unsaved edits of the palette that was current must reach its record first.
  KM::numRows = 4;
  KM::paleWinTitle = "Home Tools";
  KM::paletteContentChange = true;

  ASSERT_TRUE(PaletteCreation::createFromAliasText("  work "));
  EXPECT_EQ(KM::DP[3].i_NumRows, 4);
  EXPECT_EQ(KM::DP[3].s_WinTitle, "Home Tools");

  ASSERT_EQ(KM::DP.size(), 4u);
  ASSERT_EQ(KM::idxCP, 2);
  const PaletteRecord& created = KM::DP[2];
  EXPECT_EQ(created.s_Name, "P02");
  EXPECT_EQ(created.s_Alias, "work01");
  EXPECT_EQ(created.s_WinTitle, "KM P02");
  EXPECT_EQ(created.i_NumRows, 10);
  EXPECT_EQ(created.i_NumColumns, 10);
  EXPECT_EQ(KM::paleAlias, "work01");
  EXPECT_EQ(KM::numRows, 10);
  KM::aBtn->at(5).Tip = "edited";
  EXPECT_EQ(created.a_Btn->at(5).Tip, "edited");
  EXPECT_TRUE(KM::paletteActiveChange);
  EXPECT_TRUE(KM::paletteContentChange);
  EXPECT_EQ(view.calls, (QStringList{"erase", "redraw", "title:KM P02", "tip:work01", "number:P02"}));

  // No freed slot left: the next one goes to the end; the counters accumulate.
  view.calls.clear();
  ASSERT_TRUE(PaletteCreation::createFromAliasText("WORK"));
  EXPECT_EQ(KM::idxCP, 4);
  EXPECT_EQ(KM::paleAlias, "WORK0102");
  EXPECT_EQ(view.calls.last(), "number:P04");
  EXPECT_TRUE(logLines.isEmpty());
  EXPECT_TRUE(messages.isEmpty());
}

TEST_F(PaletteCreationTest, FailureChangesNeitherStoreNorWindow) {
  makeStore({"Work"}, 1);
  const BtnArrayRef linked = KM::aBtn;

  // The store cannot make default buttons without the shortcut alphabet.
  KM::aAlphabetShortcut.clear();
  EXPECT_FALSE(PaletteCreation::createFromAliasText("Fresh"));
  EXPECT_EQ(logLines, QStringList{"Exception - KM.CreateNewPalette"});
  EXPECT_TRUE(view.calls.isEmpty());

  // Without a palette window nothing is created at all.
  KM::MakeAlphabetShortcuts();
  KM::paletteView = nullptr;
  EXPECT_THROW(PaletteCreation::createFromAliasText("Fresh"), MissingObjectException);

  EXPECT_EQ(KM::AllAliases(), (QStringList{"Original", "Work"}));
  EXPECT_EQ(KM::idxCP, 1);
  EXPECT_EQ(KM::aBtn, linked);
  EXPECT_EQ(KM::paleAlias, "Work");
}
