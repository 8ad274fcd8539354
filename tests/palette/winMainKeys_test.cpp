#include <QApplication>
#include <QKeyEvent>
#include <QTest>

#include "common/RuntimeException.h"
#include "palette/PaletteFixture.h"

using PaletteKeysTest = PaletteWindowTest;

TEST_F(PaletteKeysTest, TypedLetterFiresAUsableButtonElseBeeps) {
  // Shortcuts: button 3 "a" (button 0 gives it up), 26 "A" removed, 7 "h", 45 "T",
  // 1 "b" hidden, 2 "c" hidden and 5 also "c", 4 "e" hidden after the last redraw.
  button(0).Shortcut = KM::noneMark;
  button(3).Shortcut = "a";
  button(26).Shortcut = KM::noneMark;
  button(5).Shortcut = "c";
  button(1).Vis = false;
  button(2).Vis = false;
  KM::numRows = 3;
  KM::numColumns = 6;
  winMain& w = open();
  button(4).Vis = false;

  struct Case {
    const char* name;
    std::function<void()> type;
    QList<QStringList> fires;
    int beeps;
  };
  const Case cases[] = {
      {"a fires button 03", [&] { QTest::keyClick(&w, 'a'); }, {{"P05", "03"}}, 0},
      {"A is not a", [&] { QTest::keyClick(&w, 'A', Qt::ShiftModifier); }, {}, 1},
      {"T on button 45, below 3 rows", [&] { QTest::keyClick(&w, 'T', Qt::ShiftModifier); }, {}, 1},
      {"h on button 07, right of 6 columns", [&] { QTest::keyClick(&w, 'h'); }, {}, 1},
      {"b on hidden button 01", [&] { QTest::keyClick(&w, 'b'); }, {}, 1},
      {"c: the lower of two buttons is hidden", [&] { QTest::keyClick(&w, 'c'); }, {}, 1},
      {"e: hidden, but not redrawn yet", [&] { QTest::keyClick(&w, 'e'); }, {{"P05", "04"}}, 0},
      {"a digit", [&] { QTest::keyClick(&w, '1'); }, {}, 1},
      {"a space", [&] { QTest::keyClick(&w, Qt::Key_Space); }, {}, 1},
      {"Return", [&] { QTest::keyClick(&w, Qt::Key_Return); }, {}, 1},
      {"an arrow", [&] { QTest::keyClick(&w, Qt::Key_Left); }, {}, 1},
      {"a letter outside a-z", [&] {
         QKeyEvent press(QEvent::KeyPress, Qt::Key_Adiaeresis, Qt::NoModifier, QString::fromUtf8("\xC3\xA4"));
         QApplication::sendEvent(&w, &press);
       }, {}, 1},
      {"Shift on its own", [&] { QTest::keyClick(&w, Qt::Key_Shift); }, {}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fired.clear();
    beeps = 0;
    c.type();
    EXPECT_EQ(fired, c.fires);
    EXPECT_EQ(beeps, c.beeps);
  }
  EXPECT_TRUE(logLines.isEmpty());
}

TEST_F(PaletteKeysTest, FailingScriptIsReportedAtTheKey) {
  winMain& w = open();
  ScriptRunner::setHandler([](const FolderItem&, const QStringList&) {
    throw IOException("The script did not finish within 5 seconds and was stopped.");
  });
  EXPECT_FALSE(w.Event_KeyDown("a"));
  EXPECT_EQ(logLines, QStringList{"Exception - winMain.KeyDown"});
  EXPECT_EQ(beeps, 0);
}
