#include <QAction>

#include "palette/MainMenuBar.h"
#include "palette/PaletteMenuState.h"
#include "store/KM.h"
#include "support/TestEnvironment.h"

namespace {

const QString kFreed = KM::noneMark;

std::vector<PaletteRecord> palettes(const QStringList& aliases) {
  std::vector<PaletteRecord> list;
  for (const QString& alias : aliases) {
    PaletteRecord& r = list.emplace_back();
    r.s_Name = "P" + QString::number(list.size() - 1).rightJustified(2, '0');
    r.s_Alias = alias;
  }
  return list;
}

// Expected entries written compactly: "+" enabled, "-" disabled, then the text after the
// call ("=" for unchanged).
PaletteMenuItems expect(const QStringList& rows) {
  PaletteMenuItems items;
  for (int k = 0; k < 10; ++k) {
    items[k].enabled = rows[k].startsWith('+');
    const QString text = rows[k].mid(1);
    if (text != "=") items[k].text = text;
  }
  return items;
}

}  // namespace

using PaletteMenuStateTest = TavelinTest;

TEST_F(PaletteMenuStateTest, RuleOverPaletteListAndCurrentIndex) {
  QStringList twelve;
  for (int i = 0; i < 12; ++i) twelve << "A" + QString::number(i);
  const QStringList nineDisabled(9, "-=");
  struct Case {
    const char* what;
    QStringList aliases;
    qint64 idxCP;
    QStringList rows;
  };
  const Case cases[] = {
      {"one palette, current", {"Original"}, 0, QStringList{"-P00     Original"} + nineDisabled},
      {"P02 freed, P01 current",
       {"Original", "Work", kFreed, "Home"},
       1,
       QStringList{"+P00     Original", "-P01     Work", "-=", "+P03     Home"} +
           QStringList(6, "-=")},
      {"twelve slots",
       twelve,
       4,
       {"+P00     A0", "+P01     A1", "+P02     A2", "+P03     A3", "-P04     A4", "+P05     A5",
        "+P06     A6", "+P07     A7", "+P08     A8", "+P09     A9"}},
      {"current at index 10",
       twelve,
       10,
       {"+P00     A0", "+P01     A1", "+P02     A2", "+P03     A3", "+P04     A4", "+P05     A5",
        "+P06     A6", "+P07     A7", "+P08     A8", "+P09     A9"}},
      {"slot 0 freed but not current",
       {kFreed, "Work"},
       1,
       QStringList{"+=", "-P01     Work"} + QStringList(8, "-=")},
      {"punctuation and ampersand unchanged",
       {"Original", "R&D  (old); x*y"},
       0,
       QStringList{"-P00     Original", "+P01     R&D  (old); x*y"} + QStringList(8, "-=")},
      {"no palette at all", {}, -1, QStringList{"-="} + nineDisabled},
  };
  for (const Case& c : cases)
    EXPECT_EQ(paletteMenuState(palettes(c.aliases), c.idxCP), expect(c.rows)) << c.what;
}

TEST_F(PaletteMenuStateTest, EntriesKeepTheirLastTextAndShowAmpersandAsIs) {
  MainMenuBar& bar = MainMenuBar::shared();
  applyPaletteMenuState(bar, paletteMenuState(palettes({"Original", "Tom & Jerry", "Old"}), 0));
  // "&&" is how Qt is told to draw one "&" and take no access key from it.
  EXPECT_EQ(bar.entry("miPalette01")->text(), "P01     Tom && Jerry");
  EXPECT_EQ(bar.entry("miPalette01")->iconText(), "P01     Tom & Jerry");
  EXPECT_TRUE(bar.entry("miPalette02")->isEnabled());

  // P02 freed: disabled, and it goes on reading its former alias; P09 laid out as built.
  applyPaletteMenuState(bar, paletteMenuState(palettes({"Original", "Tom & Jerry", kFreed}), 0));
  EXPECT_FALSE(bar.entry("miPalette02")->isEnabled());
  EXPECT_EQ(bar.entry("miPalette02")->text(), "P02     Old");
  EXPECT_EQ(bar.entry("miPalette09")->text(), "P09");
  EXPECT_FALSE(bar.entry("miPalette09")->isEnabled());
  EXPECT_FALSE(bar.entry("miPalette00")->isEnabled());
}
