#include <QSignalSpy>

#include "common/TextColour.h"
#include "construct/ccDataIntUpDown.h"
#include "construct/ccDataStrUpDown.h"
#include "platform/KeyModifiers.h"
#include "support/TestEnvironment.h"

namespace {

class PickerTest : public TavelinTest {
 protected:
  void SetUp() override {
    TavelinTest::SetUp();
    KeyModifiers::setProbe([this] { return held; });
  }
  void TearDown() override {
    KeyModifiers::setProbe({});
    TavelinTest::TearDown();
  }
  void click(UpDownPicker& picker, bool up, bool shift) {
    held = shift ? Qt::ShiftModifier : Qt::NoModifier;
    (up ? picker.udChangeVal->upArrow : picker.udChangeVal->downArrow)->click();
  }

  Qt::KeyboardModifiers held = Qt::NoModifier;
  QWidget host;
};

// The shortcut choices: the none mark, a to z, A to Z.
QStringList shortcutChoices() {
  QStringList choices{QStringLiteral("\u2400")};
  for (char c = 'a'; c <= 'z'; ++c) choices << QString(QChar(c));
  for (char c = 'A'; c <= 'Z'; ++c) choices << QString(QChar(c));
  return choices;
}

}  // namespace

TEST_F(PickerTest, IntegerPickerStepsAndAppliesOnlyTheBoundAhead) {
  struct Case {
    qint64 start;
    bool up, shift;
    qint64 result;
    bool changed;
  };
  const Case cases[] = {
      {10, true, false, 10, false}, {9, true, true, 10, true},  {1, false, false, 1, false},
      {2, false, true, 1, true},    {5, true, false, 6, true},  {5, false, true, 3, true},
      // Left outside by the host: back one step, onto a bound only by a click toward it.
      {15, false, false, 14, true}, {15, true, false, 10, true}, {-3, true, false, -2, true},
      {-3, false, false, 1, true},
  };
  for (const Case& c : cases) {
    ccDataIntUpDown picker(&host);
    picker.jump = 1;
    picker.jumpShift = 2;
    picker.minValue = 1;
    picker.maxValue = 10;
    picker.theValue = c.start;
    QSignalSpy changed(&picker, &UpDownPicker::ValueChanged);
    click(picker, c.up, c.shift);
    const std::string at = std::to_string(c.start) + (c.up ? " up" : " down") + (c.shift ? " shift" : "");
    EXPECT_EQ(picker.theValue, c.result) << at;
    // The label is written on every click, also one that moved nothing.
    EXPECT_EQ(picker.labValue->text(), QString::number(c.result)) << at;
    EXPECT_EQ(changed.count(), c.changed ? 1 : 0) << at;
  }
}

TEST_F(PickerTest, IntegerPickerLabelKeepsItsTextUntilTheNextClick) {
  ccDataIntUpDown picker(&host);
  EXPECT_EQ(picker.labTitle->text(), "Title");
  EXPECT_EQ(picker.labValue->text(), "value");
  EXPECT_EQ(textColour(*picker.labValue), QColor(Qt::black));
  picker.jump = 1;
  picker.maxValue = 10;
  picker.theValue = 4;
  EXPECT_EQ(picker.labValue->text(), "value");
  click(picker, true, false);
  EXPECT_EQ(picker.labValue->text(), "5");
}

TEST_F(PickerTest, TextPickerUpMovesTowardTheFirstEntry) {
  struct Case {
    qint64 start;
    bool up, shift;
    qint64 index;
    QString value;
    bool changed;
  };
  const Case cases[] = {
      {0, true, false, 0, "\u2400", false}, {0, false, false, 1, "a", true},  {0, false, true, 8, "h", true},
      {26, false, false, 27, "A", true},    {49, false, true, 52, "Z", true}, {5, true, true, 0, "\u2400", true},
      {52, false, false, 52, "Z", false},
  };
  for (const Case& c : cases) {
    ccDataStrUpDown picker(&host);
    picker.aStrChoices = shortcutChoices();
    picker.jump = 1;
    picker.jumpShift = 8;
    picker.maxIndex = 52;
    picker.theValueIndex = c.start;
    picker.labValue->setText("\u2400");
    EXPECT_EQ(textColour(*picker.labValue), QColor(0xA9, 0xA9, 0xA9));
    QSignalSpy changed(&picker, &UpDownPicker::ValueChanged);
    click(picker, c.up, c.shift);
    const std::string at = std::to_string(c.start) + (c.up ? " up" : " down") + (c.shift ? " shift" : "");
    EXPECT_EQ(picker.theValueIndex, c.index) << at;
    EXPECT_EQ(picker.theValue, c.value) << at;
    EXPECT_EQ(picker.labValue->text(), c.value) << at;
    // Black after any click, also one at a bound.
    EXPECT_EQ(textColour(*picker.labValue), QColor(Qt::black)) << at;
    EXPECT_EQ(changed.count(), c.changed ? 1 : 0) << at;
  }
}

TEST_F(PickerTest, TextPickerStepsFromItsIndexWhateverTheLabelShows) {
  ccDataStrUpDown picker(&host);
  picker.aStrChoices = shortcutChoices();
  picker.jump = 1;
  picker.maxIndex = 52;
  picker.theValueIndex = 3;
  picker.labValue->setText("\u2400");
  click(picker, false, false);
  EXPECT_EQ(picker.theValue, "d");
}

TEST_F(PickerTest, TextPickerClickBeyondItsChoicesIsReportedAndMovesNothing) {
  ccDataStrUpDown picker(&host);
  picker.aStrChoices = QStringList{"x", "y"};
  picker.jump = 1;
  picker.maxIndex = 5;  // beyond the list: a host's mistake
  picker.theValueIndex = 1;
  picker.theValue = "y";
  picker.labValue->setText("y");
  QSignalSpy changed(&picker, &UpDownPicker::ValueChanged);
  click(picker, false, false);
  EXPECT_EQ(logLines, QStringList{"Exception - ccDataStrUpDown.udChangeVal.Down"});
  EXPECT_EQ(picker.theValueIndex, 1);
  EXPECT_EQ(picker.theValue, "y");
  EXPECT_EQ(picker.labValue->text(), "y");
  EXPECT_EQ(changed.count(), 0);
  // The picker still works: the next click toward the list moves it.
  click(picker, true, false);
  EXPECT_EQ(picker.theValue, "x");
  EXPECT_EQ(changed.count(), 1);
  EXPECT_EQ(logLines.size(), 1);
}

TEST_F(PickerTest, HostHandlerErrorIsReportedAtTheClick) {
  ccDataIntUpDown picker(&host);
  picker.jump = 1;
  picker.maxValue = 10;
  QObject::connect(&picker, &UpDownPicker::ValueChanged, [] { throw std::runtime_error("host failed"); });
  click(picker, true, false);
  EXPECT_EQ(picker.theValue, 1);
  EXPECT_EQ(logLines, QStringList{"Exception - ccDataIntUpDown.udChangeVal.Up"});
}

TEST_F(PickerTest, OpeningRaisesOpenInstanceOnce) {
  ccDataStrUpDown picker(&host);
  QSignalSpy opened(&picker, &UpDownPicker::Open_Instance);
  picker.Event_Open();
  EXPECT_EQ(opened.count(), 1);
}

TEST_F(PickerTest, WiderPickerKeepsValueAndArrowsAtItsRightEdge) {
  ccDataIntUpDown picker(&host);
  picker.setGeometry(20, 20, 156, 40);
  host.show();  // a hidden control is told of its new size when it shows
  EXPECT_EQ(picker.labTitle->geometry(), QRect(10, 10, 35 + 46, 20));
  EXPECT_EQ(picker.labValue->geometry(), QRect(55 + 46, 10, 20, 20));
  EXPECT_EQ(picker.udChangeVal->geometry(), QRect(80 + 46, 7, 20, 25));
  EXPECT_EQ(picker.udChangeVal->focusPolicy(), Qt::NoFocus);
  EXPECT_EQ(picker.udChangeVal->upArrow->focusPolicy(), Qt::NoFocus);
}
