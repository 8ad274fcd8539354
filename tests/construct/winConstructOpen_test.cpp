#include <QTimer>

#include "ConstructFixture.h"
#include "help/HelpData.h"
#include "help/winHelp.h"

namespace {
const QString kNone = QStringLiteral("\u2400");
QColor fill(const winConstruct& w, int i) { return w.rectGrid.at(static_cast<size_t>(i))->FillColor; }
QColor border(const winConstruct& w, int i) { return w.rectGrid.at(static_cast<size_t>(i))->BorderColorTopLeft; }
}  // namespace

TEST_F(ConstructTest, OpeningShowsThePaletteByTheColourRules) {
  button(5).Vis = false;
  button(5).Tip = "tip";
  button(5).Info = "info";
  button(6).Tip = "tip";
  button(6).Info = "info";
  button(7).Tip = " ";
  button(8).ShortcutShow = true;
  button(9).Shortcut = kNone;
  button(24).Info = "outside";
  KM::numRows = 3;
  KM::numColumns = 4;
  KM::paleWinTitle = "Hello, World (test)";
  KM::paleAlias = "<b>Work</b>";

  winConstruct& w = open();
  EXPECT_EQ(w.size(), QSize(670, 540));
  EXPECT_EQ(w.minimumSize(), w.maximumSize());

  EXPECT_EQ(fill(w, 5), QColor(0xCD, 0xFF, 0xF2));
  EXPECT_EQ(fill(w, 6), QColor(0xFF, 0xDE, 0xD2));
  EXPECT_EQ(fill(w, 7), QColor(0xF1, 0xDF, 0xFF));
  EXPECT_EQ(fill(w, 0), QColor(Qt::white));
  EXPECT_EQ(textColour(*w.labSC[8]), QColor(0xDC, 0x6E, 0x00));
  EXPECT_EQ(textColour(*w.labSC[0]), QColor(0xC0, 0xC0, 0xC0));
  EXPECT_EQ(w.labSC[0]->text(), "a");
  EXPECT_EQ(w.labSC[9]->text(), kNone);
  EXPECT_EQ(w.labBut[7]->text(), "07");
  EXPECT_EQ(w.labBut[99]->text(), "99");

  // Inside a 3 × 4 grid 23 is black; 24 and 30 are greyed but keep fill and letter colours.
  EXPECT_EQ(border(w, 23), QColor(Qt::black));
  EXPECT_EQ(textColour(*w.labBut[23]), QColor(Qt::black));
  for (int i : {24, 30}) {
    EXPECT_EQ(border(w, i), QColor(0xF0, 0xF0, 0xF0)) << i;
    EXPECT_EQ(w.rectGrid[static_cast<size_t>(i)]->BorderColorBottomRight, QColor(0xF0, 0xF0, 0xF0)) << i;
    EXPECT_EQ(textColour(*w.labBut[static_cast<size_t>(i)]), QColor(0xE1, 0xE1, 0xE1)) << i;
  }
  EXPECT_EQ(fill(w, 24), QColor(0xFF, 0xDE, 0xD2));

  // The stored title is cleaned at opening and marks the palette as changed.
  EXPECT_EQ(w.tfWinTitle->text(), "Hello World test");
  EXPECT_EQ(w.windowTitle(), "Grid Construct: Hello World test");
  EXPECT_EQ(KM::paleWinTitle, "Hello World test");
  EXPECT_EQ(view.calls.last(), "title:Hello World test");
  EXPECT_TRUE(KM::paletteContentChange);

  EXPECT_EQ(w.labNameID->text(), "P00");
  EXPECT_EQ(w.labNameAlias->text(), "<b>Work</b>");
  EXPECT_EQ(w.labNameAlias->textFormat(), Qt::PlainText);
  EXPECT_EQ(w.ccRowUpDown->labValue->text(), "3");
  EXPECT_EQ(w.ccColUpDown->labValue->text(), "4");
  EXPECT_EQ(w.ccShortcutUpDown->labValue->text(), kNone);
  EXPECT_EQ(textColour(*w.ccShortcutUpDown->labValue), QColor(0xA9, 0xA9, 0xA9));
  EXPECT_EQ(w.pbAllVisibleOnButton->text(), "All Visible On Button");
  EXPECT_FALSE(w.visibleOnButton);
  EXPECT_EQ(w.rectTip->FillColor, QColor(0xF1, 0xDF, 0xFF));
  EXPECT_EQ(w.rectInfo->FillColor, QColor(0xFF, 0xDE, 0xD2));
  EXPECT_EQ(w.rectInvisible->FillColor, QColor(0xCD, 0xFF, 0xF2));

  // Idle: nothing chosen, the shortcut arrows unusable.
  EXPECT_EQ(editState(), "Idle");
  EXPECT_EQ(w.labID->text(), "ID");
  EXPECT_FALSE(w.ccShortcutUpDown->udChangeVal->isEnabled());
  EXPECT_FALSE(w.tfTip->isEnabled());
  EXPECT_TRUE(w.labShortcut->isVisibleTo(&w));
  EXPECT_TRUE(dialogs.isEmpty());
  EXPECT_TRUE(logLines.isEmpty());
}

TEST_F(ConstructTest, StoredRowsAndColumnsOutsideOneToTenOpenAsTen) {
  for (const auto& [stored, shown] : {std::pair{0, 10}, {11, 10}, {-2, 10}, {7, 7}}) {
    KM::numRows = stored;
    KM::numColumns = stored;
    winConstruct& w = open();
    EXPECT_EQ(KM::numRows, shown) << stored;
    EXPECT_EQ(KM::numColumns, shown) << stored;
    EXPECT_EQ(w.ccRowUpDown->labValue->text(), QString::number(shown)) << stored;
    EXPECT_EQ(w.ccColUpDown->labTitle->text(), "Columns");
  }
  // Only the mirrors: the record keeps what it held.
  EXPECT_EQ(KM::DP.at(0).i_NumRows, 10);
}

TEST_F(ConstructTest, ToggleShowsThenHidesEveryLetter) {
  for (int n = 0; n < 100; ++n) button(n).ShortcutShow = true;  // the none mark included
  winConstruct& w = open();
  EXPECT_TRUE(w.visibleOnButton);
  EXPECT_EQ(w.pbAllVisibleOnButton->text(), "All Invisible on Button");
  EXPECT_EQ(w.pbAllVisibleOnButton->toolTip(), "If button has a shortcut, make invisible on button.");

  KM::paletteContentChange = false;
  w.pbAllVisibleOnButton->click();
  for (int n : {0, 60, 99}) {
    EXPECT_FALSE(button(n).ShortcutShow) << n;
    EXPECT_EQ(textColour(*w.labSC[static_cast<size_t>(n)]), QColor(0xC0, 0xC0, 0xC0)) << n;
  }
  EXPECT_EQ(w.pbAllVisibleOnButton->text(), "All Visible on Button");
  EXPECT_EQ(w.pbAllVisibleOnButton->toolTip(), "If button has a shortcut, make visible on button.");
  EXPECT_TRUE(KM::paletteContentChange);

  button(3).ShortcutShow = true;
  w.pbAllVisibleOnButton->click();
  for (int n = 0; n < 100; ++n) EXPECT_TRUE(button(n).ShortcutShow) << n;
  EXPECT_EQ(textColour(*w.labSC[99]), QColor(0xDC, 0x6E, 0x00));
  EXPECT_EQ(w.pbAllVisibleOnButton->text(), "All Invisible on Button");
}

TEST_F(ConstructTest, InvisibleButtonsWithPicturesAreNamedOnOpening) {
  const QString singular = "The following button has a picture assigned to it but is currently set as invisible: ";
  const QString plural = "The following buttons have pictures assigned to them but are currently set as invisible: ";
  const QString explanation = "\nThis is legal but make sure this is your intent.";
  struct Case {
    const char* what;
    QStringList files;  // nullopt-like: an empty list and no folder
    bool folder;
    QString dialog;  // empty: no dialog
  };
  // Invisible: 5, 7, 12 and 95 (outside the 3 × 4 grid); visible: the rest.
  const Case cases[] = {
      {"one", {"07.png"}, true, singular + "7" + explanation},
      {"two", {"12 Web.png", "05 Mail.png"}, true, plural + "5, 12" + explanation},
      {"two for one button", {"07a.png", "07b.png"}, true, plural + "7, 7" + explanation},
      {"outside the grid", {"95.png"}, true, singular + "95" + explanation},
      {"odd names skipped", {"ab.png", "-1.png", "7a.png", "12.png"}, true, singular + "12" + explanation},
      {"visible only", {"00.png", "13.png"}, true, ""},
      {"empty folder", {}, true, ""},
      {"no folder", {}, false, ""},
  };
  for (int n : {5, 7, 12, 95}) button(n).Vis = false;
  KM::numRows = 3;
  KM::numColumns = 4;
  for (const Case& c : cases) {
    QDir(pictureFolder()).removeRecursively();
    if (c.folder) QDir().mkpath(pictureFolder());
    for (const QString& name : c.files) writeFile(pictureFolder() + "/" + name, "not opened");
    dialogs.clear();
    open();
    EXPECT_EQ(dialogs, c.dialog.isEmpty() ? QStringList{} : QStringList{c.dialog}) << c.what;
  }
  EXPECT_TRUE(logLines.isEmpty());
}

TEST_F(ConstructTest, DoneHidesTheRowBelowTheGridAndRefreshesThePaletteWindow) {
  KM::numRows = 6;
  KM::numColumns = 3;
  winConstruct& w = open();
  w.show();
  view.calls.clear();
  w.pbDone->click();
  for (int n = 0; n < 100; ++n) EXPECT_EQ(button(n).Vis, n / 10 != 6) << n;
  EXPECT_EQ(view.calls, (QStringList{"erase", "redraw", "title:" + KM::paleWinTitle}));
  EXPECT_FALSE(w.isVisible());

  // Raised to ten again, the hidden row stays hidden and shows so.
  KM::numRows = 10;
  winConstruct& again = open();
  EXPECT_EQ(fill(again, 64), QColor(0xCD, 0xFF, 0xF2));
  view.calls.clear();
  again.pbDone->click();
  EXPECT_EQ(view.calls, (QStringList{"erase", "redraw", "title:" + KM::paleWinTitle}));
  EXPECT_TRUE(button(94).Vis);
}

TEST_F(ConstructTest, CloseBoxAndEscapeSkipTheRefresh) {
  winConstruct& w = open();
  w.show();
  arrow(*w.ccRowUpDown, false);
  EXPECT_EQ(KM::numRows, 9);
  view.calls.clear();

  // Escape would otherwise act as the close box.
  QTest::keyClick(&w, Qt::Key_Escape);
  EXPECT_TRUE(w.isVisible());

  w.close();
  EXPECT_FALSE(w.isVisible());
  EXPECT_TRUE(view.calls.isEmpty());
  EXPECT_TRUE(button(90).Vis);
  EXPECT_EQ(KM::numRows, 9);
}

TEST_F(ConstructTest, HelpButtonShowsGridConstructHelpWhateverKeysAreHeld) {
  HelpData::FillDictionaryFromHELP_TEXT();
  winConstruct& w = open();
  // The button "Button" stores its text under the text key "5", which is not help id 5.
  w.PushButton1->click();
  for (Qt::KeyboardModifiers keys : {Qt::KeyboardModifiers(Qt::NoModifier), Qt::KeyboardModifiers(Qt::AltModifier)}) {
    held = keys;
    QString shown;
    QTimer::singleShot(0, [&] {
      if (auto* help = qobject_cast<winHelp*>(QApplication::activeModalWidget())) {
        shown = help->windowTitle();
        help->pbDone->click();
      }
    });
    w.pbHelpGridCon->click();
    EXPECT_EQ(shown, "Help: Grid Construct");
  }
  EXPECT_TRUE(logLines.isEmpty());
}

TEST_F(ConstructTest, NoPushButtonAnswersReturn) {
  winConstruct& w = open();
  for (QPushButton* b : w.findChildren<QPushButton*>()) {
    EXPECT_FALSE(b->autoDefault()) << b->text().toStdString();
    EXPECT_FALSE(b->isDefault()) << b->text().toStdString();
  }
}
