#include <QRegularExpression>

#include "manage/PaletteRename.h"
#include "store/StoreFixture.h"

namespace {

// P00 "Original", P01 "Work" (current, titled "KM P01"), P02 "Home", P03 freed.
class PaletteRenameTest : public StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    fresh();
  }
  void fresh() {
    KM::resetToInitialValues();
    KM::MakeAlphabetShortcuts();
    makeStore({"Work", "Home", KM::noneMark}, 1);
    view.calls.clear();
  }
  const PaletteRecord& current() const { return KM::DP.at(1); }
};

}  // namespace

TEST_F(PaletteRenameTest, AcceptChangeStoresOnlyWhatChanged) {
  struct Case {
    const char* name;
    QString aliasField, titleField;
    QString alias, title;  // afterwards, in the mirrors and the record
    QStringList shown;     // what the palette window was told
  };
  const Case cases[] = {
      {"untouched", "Work", "KM P01", "Work", "KM P01", {}},
      {"alias in other case", "WORK", "KM P01", "Work", "KM P01", {}},
      {"alias cleaning to the stored one", " Work.", "KM P01", "Work", "KM P01", {}},
      {"title in other case", "Work", "km p01", "Work", "KM P01", {}},
      {"title only", "Work", "Office Tools", "Work", "Office Tools", {"title:Office Tools"}},
      {"alias held by another palette", "home", "KM P01", "home01", "KM P01", {"tip:home01", "title:KM P01"}},
      {"alias and title in other case", "Garden", "km p01", "Garden", "km p01", {"tip:Garden", "title:km p01"}},
      {"freed slot's mark is an alias like any", KM::noneMark, "KM P01", "A" + KM::noneMark, "KM P01",
       {"tip:A" + KM::noneMark, "title:KM P01"}},
      {"changed-alias rules", "Red & Blue* (and a rather long tail)", "KM P01", "Red Blue and a rather l", "KM P01",
       {"tip:Red Blue and a rather l", "title:KM P01"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fresh();

    PaletteRename::acceptChange(c.aliasField, c.titleField);
    const bool stored = !c.shown.isEmpty();
    EXPECT_EQ(view.calls, c.shown);
    EXPECT_EQ(KM::paleAlias, c.alias);
    EXPECT_EQ(KM::paleWinTitle, c.title);
    EXPECT_EQ(current().s_Alias, c.alias);
    EXPECT_EQ(current().s_WinTitle, c.title);
    EXPECT_EQ(KM::paletteContentChange, stored);
    EXPECT_EQ(KM::paletteActiveChange, stored);
    EXPECT_EQ(KM::DP.at(2).s_Alias, "Home");
  }
  EXPECT_TRUE(logLines.isEmpty());
}

TEST_F(PaletteRenameTest, StoredAliasOutsideTheRulesIsReplacedEvenUntouched) {
  // Aliases from the New Palette window may be long and hold "&"; the rename rules cut them.
  const QString stored = "Tools & Scripts for the Office and Home 4";
  ASSERT_EQ(stored.size(), 41);
  KM::DP.at(1).s_Alias = stored;
  KM::DP.at(2).s_Alias = "tools scripts for the o";  // its cleaned, cut form is taken
  KM::ActivatePalette(1);
  PaletteRename::acceptChange(stored, KM::paleWinTitle);
  EXPECT_EQ(current().s_Alias, "Tools Scripts for the O01");
  EXPECT_EQ(KM::paleAlias, "Tools Scripts for the O01");
}

TEST_F(PaletteRenameTest, OwnAliasCountsAsTakenAndEmptyFieldGetsCapitals) {
  KM::DP.at(1).s_Alias = "Home01";
  KM::ActivatePalette(1);
  PaletteRename::acceptChange("Home", KM::paleWinTitle);
  EXPECT_EQ(current().s_Alias, "Home0102");

  PaletteRename::acceptChange("", KM::paleWinTitle);
  EXPECT_TRUE(QRegularExpression("^[A-Z]{2}(01)*$").match(current().s_Alias).hasMatch())
      << current().s_Alias.toStdString();
}

TEST_F(PaletteRenameTest, ChangeNameWritesTheRecordAndLeavesTitleAndContentFlag) {
  struct Case {
    const char* name;
    QString field;
    QString alias;
  };
  const Case cases[] = {
      {"unchanged in other case", "WORK", "Work"},
      {"new-alias rules keep & and * and do not cut", "Red & Blue* (and a rather long tail)",
       "Red & Blue* and a rather long tail"},
      {"taken alias", "ORIGINAL", "ORIGINAL01"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fresh();
    PaletteRename::changeAlias(c.field);
    const bool changed = c.alias != "Work";
    EXPECT_EQ(current().s_Alias, c.alias);
    EXPECT_EQ(KM::paleAlias, c.alias);
    EXPECT_EQ(view.calls, changed ? QStringList{"tip:" + c.alias} : QStringList{});
    EXPECT_EQ(KM::paletteActiveChange, changed);
    EXPECT_FALSE(KM::paletteContentChange);
    EXPECT_EQ(current().s_WinTitle, "KM P01");
    EXPECT_EQ(KM::aBtn, current().a_Btn);
  }
}

TEST_F(PaletteRenameTest, ChangeNameKeepsUnsavedEditsOfTheCurrentPalette) {
  // An edit made in another window, not yet written back into the record.
  KM::numRows = 4;
  KM::paleWinTitle = "Edited";
  KM::paletteContentChange = true;
  PaletteRename::changeAlias("Renamed");
  EXPECT_EQ(current().s_Alias, "Renamed");
  EXPECT_EQ(current().i_NumRows, 4);
  EXPECT_EQ(current().s_WinTitle, "Edited");
  EXPECT_EQ(KM::paleAlias, "Renamed");
  EXPECT_EQ(KM::numRows, 4);
}
