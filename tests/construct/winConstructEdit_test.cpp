#include "ConstructFixture.h"

namespace {
const QString kNone = QStringLiteral("\u2400");
const QString kEmoji = QStringLiteral("\U0001F600");
}  // namespace

TEST_F(ConstructTest, ChoosingEditingAndCancellingWalkTheEditStates) {
  button(12).Tip = "twelve";
  button(12).Info = "more";
  button(12).ShortcutShow = true;
  button(13).Vis = false;
  winConstruct& w = open();
  EXPECT_EQ(editState(), "Idle");

  press(w.labBut[12]);
  EXPECT_EQ(editState(), "Chosen");
  EXPECT_EQ(KM::idxCurrentBtn, 12);
  EXPECT_EQ(w.labID->text(), "12");
  EXPECT_EQ(w.labShortcut->text(), "m");
  EXPECT_EQ(textColour(*w.labShortcut), QColor(0xDC, 0x6E, 0x00));
  EXPECT_EQ(w.tfTip->text(), "twelve");
  EXPECT_EQ(w.taInfo->toPlainText(), "more");
  EXPECT_TRUE(w.cbVisibleBtn->isChecked());
  EXPECT_TRUE(w.cbVisOnBtn->isChecked());
  for (QWidget* c : {static_cast<QWidget*>(w.tfTip), static_cast<QWidget*>(w.taInfo),
                     static_cast<QWidget*>(w.cbVisibleBtn), static_cast<QWidget*>(w.cbVisOnBtn),
                     static_cast<QWidget*>(w.ccShortcutUpDown->udChangeVal)})
    EXPECT_TRUE(c->isEnabled());
  EXPECT_EQ(textColour(*w.ccShortcutUpDown->labValue), QColor(Qt::black));

  // Unticking the letter's display greys the big letter and makes the edit pending.
  w.cbVisOnBtn->click();
  EXPECT_EQ(textColour(*w.labShortcut), QColor(0x79, 0x79, 0x79));
  EXPECT_EQ(editState(), "Pending");

  // Another cell drops the change without asking; its own values show.
  press(w.labSC[13]);
  EXPECT_EQ(editState(), "Chosen");
  EXPECT_EQ(w.tfTip->text(), "");
  EXPECT_FALSE(w.cbVisibleBtn->isChecked());
  EXPECT_FALSE(w.cbVisOnBtn->isChecked());
  EXPECT_EQ(textColour(*w.labShortcut), QColor(0xC0, 0xC0, 0xC0));
  EXPECT_TRUE(button(12).ShortcutShow);

  QTest::keyClicks(w.tfTip, "typed");
  EXPECT_EQ(editState(), "Pending");
  // Return in the field presses nothing.
  QTest::keyClick(w.tfTip, Qt::Key_Return);
  EXPECT_EQ(button(13).Tip, "");
  EXPECT_EQ(editState(), "Pending");

  w.pbCancel->click();
  EXPECT_EQ(editState(), "Idle");
  EXPECT_EQ(w.labID->text(), "ID");
  EXPECT_EQ(w.tfTip->text(), "");
  EXPECT_FALSE(w.tfTip->isEnabled());
  EXPECT_FALSE(w.labShortcut->isVisibleTo(&w));
  EXPECT_TRUE(w.cbVisibleBtn->isChecked());
  EXPECT_FALSE(w.cbVisOnBtn->isEnabled());
  EXPECT_FALSE(w.ccShortcutUpDown->udChangeVal->isEnabled());
  EXPECT_EQ(textColour(*w.ccShortcutUpDown->labValue), QColor(0xCF, 0xCF, 0xCF));
  EXPECT_EQ(button(13).Tip, "");
  EXPECT_TRUE(logLines.isEmpty());
}

TEST_F(ConstructTest, CellChosenByPressWhereverTheMouseIsReleased) {
  winConstruct& w = open();
  QTest::mousePress(w.rectGrid[44], Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  QTest::mouseRelease(w.rectGrid[44], Qt::LeftButton, Qt::NoModifier, QPoint(-200, 300));
  EXPECT_EQ(w.labID->text(), "44");
  // Cells outside the grid are chosen like any other.
  KM::numRows = 2;
  press(w.rectGrid[97]);
  EXPECT_EQ(w.labID->text(), "97");
}

TEST_F(ConstructTest, OkWritesTheEditIntoTheButtonAndRecolours) {
  struct Case {
    const char* what;
    QString tip, info;
    QString storedTip, storedInfo;
  };
  const Case cases[] = {
      {"trimmed", "  Hello  ", "\n Line one\nLine two \n", "Hello", "Line one\nLine two"},
      {"cut after the trim", QString(79, 'x') + " yz", "", QString(79, 'x') + " ", ""},
      {"emoji at the tip's cut", QString(79, 'x') + kEmoji + kEmoji, "", QString(79, 'x') + kEmoji, ""},
      {"emoji at the information's cut", "", kEmoji.repeated(2500), "", kEmoji.repeated(2000)},
  };
  winConstruct& w = open();
  for (const Case& c : cases) {
    KM::paletteContentChange = false;
    press(w.rectGrid[40]);
    w.tfTip->setText(c.tip);
    w.taInfo->setPlainText(c.info);
    w.pbOK->click();
    EXPECT_EQ(button(40).Tip, c.storedTip) << c.what;
    EXPECT_EQ(button(40).Info, c.storedInfo) << c.what;
    EXPECT_TRUE(button(40).Tip.isValidUtf16() && button(40).Info.isValidUtf16()) << c.what;
    EXPECT_TRUE(KM::paletteContentChange) << c.what;
    EXPECT_EQ(editState(), "Idle") << c.what;
  }

  // Only the tip changed: visibility and display are written all the same, the cell recoloured.
  press(w.rectGrid[41]);
  w.cbVisibleBtn->click();
  w.cbVisOnBtn->click();
  w.tfTip->setText("tip");
  w.pbOK->click();
  EXPECT_FALSE(button(41).Vis);
  EXPECT_TRUE(button(41).ShortcutShow);
  EXPECT_EQ(w.rectGrid[41]->FillColor, QColor(0xCD, 0xFF, 0xF2));
  EXPECT_EQ(textColour(*w.labSC[41]), QColor(0xDC, 0x6E, 0x00));

  press(w.rectGrid[42]);
  w.taInfo->setPlainText("info");
  w.pbOK->click();
  EXPECT_EQ(w.rectGrid[42]->FillColor, QColor(0xFF, 0xDE, 0xD2));
}

TEST_F(ConstructTest, ShortcutPickerChoosesTheLetterThatOkTakesFromItsHolder) {
  winConstruct& w = open();
  ccDataStrUpDown& picker = *w.ccShortcutUpDown;
  // Before a cell is chosen the arrows do nothing.
  picker.udChangeVal->downArrow->click();
  EXPECT_EQ(picker.theValueIndex, 0);
  EXPECT_EQ(editState(), "Idle");

  press(w.rectGrid[60]);
  arrow(picker, true);  // at the none mark: nothing moves, states kept
  EXPECT_EQ(editState(), "Chosen");
  arrow(picker, false);
  EXPECT_EQ(w.labShortcut->text(), "a");
  EXPECT_EQ(editState(), "Pending");
  w.pbOK->click();
  EXPECT_EQ(button(60).Shortcut, "a");
  EXPECT_EQ(button(0).Shortcut, kNone);
  EXPECT_EQ(w.labSC[0]->text(), kNone);
  EXPECT_EQ(w.labSC[60]->text(), "a");
  EXPECT_EQ(button(26).Shortcut, "A");  // the other case is another letter

  // Shift steps by eight; "z" is followed by "A"; Shift and up from "e" gives the none mark.
  press(w.rectGrid[61]);
  EXPECT_EQ(picker.labValue->text(), kNone);
  arrow(picker, false, true);
  EXPECT_EQ(w.labShortcut->text(), "h");
  w.pbCancel->click();
  press(w.rectGrid[61]);
  for (int k = 0; k < 26; ++k) arrow(picker, false);
  EXPECT_EQ(w.labShortcut->text(), "z");
  arrow(picker, false);
  EXPECT_EQ(w.labShortcut->text(), "A");

  // Chosen again while the picker stood elsewhere: it shows the none mark but moves on
  // from where it was.
  press(w.rectGrid[4]);
  EXPECT_EQ(picker.labValue->text(), kNone);
  arrow(picker, true);
  EXPECT_EQ(w.labShortcut->text(), "z");

  // The none mark takes nothing from others.
  press(w.rectGrid[5]);
  for (int k = 0; k < 4; ++k) arrow(picker, true, true);  // from "z": "r", "j", "b", then none
  EXPECT_EQ(w.labShortcut->text(), kNone);
  EXPECT_EQ(editState(), "Pending");
  w.pbOK->click();
  EXPECT_EQ(button(5).Shortcut, kNone);
  EXPECT_EQ(button(6).Shortcut, "g");
  EXPECT_TRUE(logLines.isEmpty());
}

TEST_F(ConstructTest, RowsAndColumnsRegreyTheGridAndEndAnEdit) {
  KM::numRows = 3;
  winConstruct& w = open();
  arrow(*w.ccRowUpDown, false);
  EXPECT_EQ(KM::numRows, 2);
  EXPECT_EQ(w.rectGrid[20]->BorderColorTopLeft, QColor(0xF0, 0xF0, 0xF0));
  EXPECT_EQ(w.rectGrid[19]->BorderColorTopLeft, QColor(Qt::black));
  // Rows blank the edit area even when idle: the picker's label turns its idle grey.
  EXPECT_EQ(textColour(*w.ccShortcutUpDown->labValue), QColor(0xCF, 0xCF, 0xCF));

  // At ten, up does nothing: a pending edit stays pending.
  KM::numColumns = 10;
  w.ccColUpDown->theValue = 10;
  press(w.rectGrid[1]);
  w.tfTip->setText("pending");
  arrow(*w.ccColUpDown, true);
  EXPECT_EQ(editState(), "Pending");

  // A real change of columns drops the typed tip.
  arrow(*w.ccColUpDown, false, true);
  EXPECT_EQ(KM::numColumns, 8);
  EXPECT_EQ(editState(), "Idle");
  EXPECT_EQ(button(1).Tip, "");
  EXPECT_EQ(w.rectGrid[8]->BorderColorTopLeft, QColor(0xF0, 0xF0, 0xF0));

  // Columns with nothing chosen leave the edit area alone.
  w.ccShortcutUpDown->labValue->setText("x");
  arrow(*w.ccColUpDown, false);
  EXPECT_EQ(w.ccShortcutUpDown->labValue->text(), "x");
}

TEST_F(ConstructTest, AssignButtonsDealOrClearEveryShortcutAndDropAnEdit) {
  KM::numRows = 3;
  KM::numColumns = 4;
  button(50).ShortcutShow = true;
  winConstruct& w = open();
  press(w.rectGrid[2]);
  w.tfTip->setText("dropped");
  KM::paletteContentChange = false;

  w.pbAssignShortcuts->click();
  EXPECT_EQ(editState(), "Idle");
  EXPECT_EQ(button(2).Tip, "");
  EXPECT_TRUE(KM::paletteContentChange);
  EXPECT_EQ(w.labSC[13]->text(), "h");
  EXPECT_EQ(button(23).Shortcut, "l");
  EXPECT_EQ(w.labSC[50]->text(), kNone);
  // The letters keep the colour of their display.
  EXPECT_EQ(textColour(*w.labSC[50]), QColor(0xDC, 0x6E, 0x00));
  EXPECT_EQ(textColour(*w.labSC[13]), QColor(0xC0, 0xC0, 0xC0));

  KM::paletteContentChange = false;
  w.pbAssignNoShortcut->click();
  for (int n = 0; n < 100; ++n) EXPECT_EQ(w.labSC[static_cast<size_t>(n)]->text(), kNone) << n;
  EXPECT_EQ(button(0).Shortcut, kNone);
  EXPECT_TRUE(KM::paletteContentChange);
  // Again on a palette without shortcuts: still marked as changed.
  KM::paletteContentChange = false;
  w.pbAssignNoShortcut->click();
  EXPECT_TRUE(KM::paletteContentChange);
}

TEST_F(ConstructTest, ToggleLeavesAnOpenEditAsItWas) {
  winConstruct& w = open();
  press(w.rectGrid[7]);
  EXPECT_FALSE(w.cbVisOnBtn->isChecked());
  w.pbAllVisibleOnButton->click();
  EXPECT_EQ(w.labID->text(), "07");
  EXPECT_FALSE(w.cbVisOnBtn->isChecked());
  EXPECT_TRUE(button(7).ShortcutShow);
  w.tfTip->setText("x");
  w.pbOK->click();
  EXPECT_FALSE(button(7).ShortcutShow);
  EXPECT_TRUE(button(8).ShortcutShow);
}
