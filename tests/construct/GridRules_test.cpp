#include "common/RuntimeException.h"
#include "construct/GridColours.h"
#include "construct/GridEdits.h"
#include "store/StoreFixture.h"

namespace {

class GridRulesTest : public StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    makeStore({});
  }
  BtnArray& buttons() { return *KM::aBtn; }
  Btn& button(int n) { return buttons().at(static_cast<size_t>(n)); }
  QStringList shortcuts() {
    QStringList all;
    for (const Btn& b : buttons()) all << b.Shortcut;
    return all;
  }
};

const QString kNone = QStringLiteral("\u2400");

}  // namespace

TEST_F(GridRulesTest, CellFillInvisibleBeforeInformationBeforeTip) {
  struct Case {
    bool vis;
    QString tip, info;
    QColor fill;
  };
  const Case cases[] = {
      {false, "tip", "info", QColor(0xCD, 0xFF, 0xF2)}, {true, "tip", "info", QColor(0xFF, 0xDE, 0xD2)},
      {true, "", "info", QColor(0xFF, 0xDE, 0xD2)},     {true, "tip", "", QColor(0xF1, 0xDF, 0xFF)},
      {true, " ", "", QColor(0xF1, 0xDF, 0xFF)},        {true, "", "", QColor(0xFF, 0xFF, 0xFF)},
      {false, "", "", QColor(0xCD, 0xFF, 0xF2)},
  };
  for (const Case& c : cases) {
    Btn b;
    b.Vis = c.vis;
    b.Tip = c.tip;
    b.Info = c.info;
    EXPECT_EQ(GridColours::cellFill(b), c.fill) << c.vis << " '" << c.tip.toStdString() << "' " << c.info.toStdString();
  }
  EXPECT_EQ(GridColours::shortcutLetter(true), QColor(0xDC, 0x6E, 0x00));
  EXPECT_EQ(GridColours::shortcutLetter(false), QColor(0xC0, 0xC0, 0xC0));
}

TEST_F(GridRulesTest, EdgeOfAThreeByFourGrid) {
  for (const auto& [i, inside] : {std::pair{0, true}, {3, true}, {23, true}, {24, false}, {30, false}, {99, false}})
    EXPECT_EQ(GridColours::insideGrid(i, 3, 4), inside) << i;
  EXPECT_EQ(GridColours::edge(true).border, QColor(Qt::black));
  EXPECT_EQ(GridColours::edge(true).number, QColor(Qt::black));
  EXPECT_EQ(GridColours::edge(false).border, QColor(0xF0, 0xF0, 0xF0));
  EXPECT_EQ(GridColours::edge(false).number, QColor(0xE1, 0xE1, 0xE1));
}

TEST_F(GridRulesTest, AssignShortcutsDealsTheAlphabetOverTheGrid) {
  // Each case: the grid, then runs of (first button, last button, first letter); every other
  // button ends with no shortcut, also one that had a letter before.
  struct Run {
    int from, to;
    char first;
  };
  struct Case {
    qint64 rows, columns;
    std::vector<Run> runs;
  };
  const Case cases[] = {
      {10, 10, {{0, 25, 'a'}, {26, 51, 'A'}}},
      {3, 4, {{0, 3, 'a'}, {10, 13, 'e'}, {20, 23, 'i'}}},
      // 54 cells: 57 and 58 lie inside the grid but the alphabet is used up.
      {6, 9, {{0, 8, 'a'}, {10, 18, 'j'}, {20, 27, 's'}, {28, 28, 'A'}, {30, 38, 'B'}, {40, 48, 'K'}, {50, 56, 'T'}}},
      // 50 cells: "Y" and "Z" are not used.
      {5, 10, {{0, 25, 'a'}, {26, 49, 'A'}}},
  };
  for (const Case& c : cases) {
    for (Btn& b : buttons()) b.Shortcut = "q";
    GridEdits::assignShortcuts(buttons(), c.rows, c.columns, KM::aAlphabetShortcut);
    QStringList expected(100, kNone);
    for (const Run& run : c.runs)
      for (int n = run.from; n <= run.to; ++n) expected[n] = QString(QChar(run.first + (n - run.from)));
    EXPECT_EQ(shortcuts(), expected) << c.rows << " x " << c.columns;
  }
}

TEST_F(GridRulesTest, GivingALetterTakesItFromItsHolderOfTheSameCaseOnly) {
  // Defaults: button n holds the n-th letter, "a" at 0, "A" at 26.
  GridEdits::giveShortcut(buttons(), 60, "a");
  EXPECT_EQ(button(60).Shortcut, "a");
  EXPECT_EQ(button(0).Shortcut, kNone);
  EXPECT_EQ(button(26).Shortcut, "A");

  // Only the case changes: still a change, and the holder of the new letter loses it.
  GridEdits::giveShortcut(buttons(), 60, "B");
  EXPECT_EQ(button(27).Shortcut, kNone);
  EXPECT_EQ(button(1).Shortcut, "b");

  // The none mark takes nothing from others.
  GridEdits::giveShortcut(buttons(), 2, kNone);
  EXPECT_EQ(button(2).Shortcut, kNone);
  EXPECT_EQ(shortcuts().count(kNone), 50);  // 48 at the start, 0 and 27 freed, 60 taken, 2 cleared

  // The button's own letter again: no one else is touched.
  button(70).Shortcut = "d";  // a duplicate a hand-edited file might hold
  GridEdits::giveShortcut(buttons(), 3, "d");
  EXPECT_EQ(button(70).Shortcut, "d");
}

TEST_F(GridRulesTest, TrimmedCutCountsCharactersNeverHalfOfOne) {
  const QString emoji = QStringLiteral("\U0001F600");
  struct Case {
    QString text;
    qsizetype count;
    QString result;
  };
  const Case cases[] = {
      {"  tip  ", 80, "tip"},
      {QString(79, 'x') + " y", 80, QString(79, 'x') + " "},  // the trim comes before the cut
      {QString(79, 'x') + emoji + "z", 80, QString(79, 'x') + emoji},
      {QString(80, 'x') + emoji, 80, QString(80, 'x')},
      {emoji.repeated(2500), 2000, emoji.repeated(2000)},
      {"\n line\n", 2000, "line"},
  };
  for (const Case& c : cases) EXPECT_EQ(GridEdits::trimmedCut(c.text, c.count), c.result) << c.text.size();
}

TEST_F(GridRulesTest, RowVisibilityTouchesItsTenButtonsOnly) {
  GridEdits::setRowVisibility(buttons(), 6, false);
  for (int n = 0; n < 100; ++n) EXPECT_EQ(button(n).Vis, n / 10 != 6) << n;
  EXPECT_THROW(GridEdits::setRowVisibility(buttons(), 10, false), OutOfBoundsException);
}

TEST_F(GridRulesTest, InvisiblePicturesCountFilesAndSkipOtherNames) {
  for (int n : {5, 7, 12, 99}) button(n).Vis = false;
  const QStringList names{"05 Mail.png", "07.png", "07b.png", "12 Web.jpg", "13.png",
                          "ab.png",      "7a.png", "-1.png",  "99.png",     "\u0665\u0665.png", "7"};
  EXPECT_EQ(GridEdits::invisibleWithPicture(names, buttons()), (QList<qint64>{5, 7, 7, 12, 99, 7}));
  EXPECT_TRUE(GridEdits::invisibleWithPicture({}, buttons()).isEmpty());
}
