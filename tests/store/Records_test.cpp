#include <QRegularExpression>
#include <type_traits>

#include "store/StoreFixture.h"

using RecordsTest = StoreTest;

static_assert(!std::is_copy_constructible_v<Btn> && !std::is_copy_assignable_v<Btn>,
              "a Btn taken by value would silently edit a copy");
static_assert(!std::is_copy_constructible_v<PaletteRecord>);

TEST_F(RecordsTest, FirstPaletteHasDefaultButtonsAndLoadsItsMirrors) {
  KM::CreateFirstPalette();

  ASSERT_EQ(KM::DP.size(), 1u);
  const PaletteRecord& r = KM::DP[0];
  EXPECT_EQ(r.i_NumRows, 10);
  EXPECT_EQ(r.i_NumColumns, 10);
  EXPECT_EQ(r.s_Name, "P00");
  EXPECT_EQ(r.s_Alias, "Original");
  EXPECT_EQ(r.s_WinTitle, "KM Palette");
  ASSERT_EQ(r.a_Btn->size(), 100u);
  for (int n = 0; n < 100; ++n) {
    const Btn& b = r.a_Btn->at(n);
    EXPECT_EQ(b.ID, n);
    EXPECT_EQ(b.sID, QString::asprintf("%02d", n));
    EXPECT_EQ(b.Row, n / 10);
    EXPECT_EQ(b.Col, n % 10);
    EXPECT_TRUE(b.Vis);
    EXPECT_FALSE(b.ShortcutShow);
    EXPECT_TRUE(b.Tip.isEmpty() && b.Info.isEmpty());
    if (n >= 52) {
      EXPECT_EQ(b.Shortcut, "\u2400") << n;
    }
  }
  EXPECT_EQ(r.a_Btn->at(0).Shortcut, "a");
  EXPECT_EQ(r.a_Btn->at(25).Shortcut, "z");
  EXPECT_EQ(r.a_Btn->at(26).Shortcut, "A");
  EXPECT_EQ(r.a_Btn->at(51).Shortcut, "Z");

  EXPECT_EQ(KM::idxCP, 0);
  EXPECT_EQ(KM::numRows, 10);
  EXPECT_EQ(KM::numColumns, 10);
  EXPECT_EQ(KM::paleName, "P00");
  EXPECT_EQ(KM::paleAlias, "Original");
  EXPECT_EQ(KM::paleWinTitle, "KM Palette");
  EXPECT_TRUE(KM::aBtn->empty());  // linked only by the activation that follows
  EXPECT_TRUE(KM::paletteContentChange);
  EXPECT_FALSE(KM::paletteActiveChange);

  KM::MakeAlphabetShortcuts();
  EXPECT_EQ(KM::aAlphabetShortcut.size(), 52);
}

TEST_F(RecordsTest, DefaultValuesPaletteResetsOneSlotOnly) {
  // Refused indexes: message, nothing changes; on an empty list every index is refused.
  KM::DefaultValuesPalette(0);
  EXPECT_EQ(messages, QStringList{"Inappropriate index value passed for DefaultValuesPalette method."});
  EXPECT_TRUE(KM::DP.empty());

  makeStore({"B", "C", "D"}, 3);
  for (qint64 bad : {qint64(-1), qint64(4)}) {
    messages.clear();
    KM::DefaultValuesPalette(bad);
    EXPECT_EQ(messages.size(), 1) << bad;
  }
  EXPECT_EQ(KM::DP[3].s_Alias, "D");

  const BtnArrayRef before = KM::DP[3].a_Btn;
  before->at(4).Tip = "kept by the old array";
  KM::numRows = 4;
  KM::DefaultValuesPalette(3);  // the last index is accepted
  const PaletteRecord& r = KM::DP[3];
  EXPECT_EQ(r.s_Name, "P03");
  EXPECT_EQ(r.s_WinTitle, "KM P03");
  EXPECT_TRUE(QRegularExpression("^[a-z]{5}$").match(r.s_Alias).hasMatch()) << r.s_Alias.toStdString();
  EXPECT_NE(r.a_Btn, before);
  EXPECT_EQ(r.a_Btn->at(4).Tip, "");
  EXPECT_EQ(before->at(4).Tip, "kept by the old array");
  EXPECT_EQ(KM::numRows, 4);  // mirrors untouched
  EXPECT_EQ(KM::paleAlias, "D");

  KM::DP.resize(13);
  KM::DefaultValuesPalette(12);
  EXPECT_EQ(KM::DP[12].s_Name, "P12");
  EXPECT_EQ(KM::DP[12].s_WinTitle, "KM P12");
}

TEST_F(RecordsTest, CreatorWithoutAlphabetReportsAndKeepsWhatItDid) {
  KM::aAlphabetShortcut.clear();
  KM::CreateFirstPalette();
  EXPECT_EQ(logLines, QStringList{"Exception - KM.CreateFirstPalette"});
  ASSERT_EQ(KM::DP.size(), 1u);
  EXPECT_EQ(KM::DP[0].s_Name, "P00");
  EXPECT_TRUE(KM::DP[0].a_Btn->empty());
  EXPECT_FALSE(KM::paletteContentChange);
}

TEST_F(RecordsTest, TabLines) {
  EXPECT_EQ(Btn::LineTabFieldName(), "ID\tsID\tRow\tCol\tVis\tShortcutShow\tShortcut\tTip\tInfo");
  KM::CreateFirstPalette();
  Btn& b = KM::DP[0].a_Btn->at(5);
  EXPECT_EQ(b.LineTabProperties(), "5\t05\t0\t5\tTrue\tFalse\tf\t\t");
  b.Info = "first\nsecond\r\tthird";
  b.Tip = "a\ttip";
  b.ShortcutShow = true;
  EXPECT_EQ(b.LineTabProperties(), "5\t05\t0\t5\tTrue\tTrue\tf\ta\ttip\tfirst<r>second\r\tthird");
}
