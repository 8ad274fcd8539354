#include "ConstructFixture.h"

namespace {
const QString kEmoji = QStringLiteral("\U0001F600");

bool twoCapitals(const QString& text) {
  return text.size() == 2 && text.at(0).isUpper() && text.at(1).isUpper() && text.at(0).unicode() < 128 &&
         text.at(1).unicode() < 128;
}
}  // namespace

TEST_F(ConstructTest, TitleFieldIsCleanedAtEveryChangeAndShownOnThePaletteWindow) {
  struct Case {
    QString written;
    QString settled;  // empty: two random capitals
  };
  // The rules themselves are the title cleanup's; here, that the field runs them to the end.
  const Case cases[] = {
      {"Hello, World (test)", "Hello World test"},
      {",", "A"},  // "A," first, then the comma goes in the pass that change starts
      {". ,", ""},
      {"", ""},
      {"1" + QString(24, 'x'), "A1" + QString(23, 'x')},
      // A cut never leaves half a character.
      {QString(24, 'x') + kEmoji + kEmoji, QString(24, 'x') + kEmoji},
      {"9" + QString(22, 'x') + kEmoji, "A9" + QString(22, 'x') + kEmoji},
  };
  winConstruct& w = open();
  const QString openingTitle = w.windowTitle();
  for (const Case& c : cases) {
    KM::paletteContentChange = false;
    w.tfWinTitle->setText(c.written);
    const QString field = w.tfWinTitle->text();
    if (c.settled.isEmpty())
      EXPECT_TRUE(twoCapitals(field)) << c.written.toStdString() << " -> " << field.toStdString();
    else
      EXPECT_EQ(field, c.settled) << c.written.toStdString() << " -> " << field.toStdString();
    EXPECT_TRUE(field.isValidUtf16()) << c.written.toStdString();
    EXPECT_EQ(KM::paleWinTitle, field) << c.written.toStdString();
    EXPECT_EQ(view.calls.last(), "title:" + field) << c.written.toStdString();
    EXPECT_TRUE(KM::paletteContentChange) << c.written.toStdString();
  }
  // The editor's own title keeps the title as it was cleaned at opening.
  EXPECT_EQ(w.windowTitle(), openingTitle);
  EXPECT_TRUE(logLines.isEmpty());
}

TEST_F(ConstructTest, TypingIntoTheTitleFieldAsAUserWould) {
  KM::paleWinTitle = "Tools";
  winConstruct& w = open();
  w.tfWinTitle->setFocus();
  w.tfWinTitle->end(false);

  // A listed character typed at the end goes at once; the change is still a change.
  KM::paletteContentChange = false;
  QTest::keyClick(w.tfWinTitle, ',');
  EXPECT_EQ(w.tfWinTitle->text(), "Tools");
  EXPECT_TRUE(KM::paletteContentChange);
  // A space at the end goes; one between words stays, and typing goes on after it.
  QTest::keyClick(w.tfWinTitle, ' ');
  EXPECT_EQ(w.tfWinTitle->text(), "Tools");
  w.tfWinTitle->setCursorPosition(2);
  QTest::keyClicks(w.tfWinTitle, " X");
  EXPECT_EQ(w.tfWinTitle->text(), "To Xols");

  // Emptied, the field holds two fresh capitals at once, and so does the palette window.
  w.tfWinTitle->selectAll();
  QTest::keyClick(w.tfWinTitle, Qt::Key_Backspace);
  EXPECT_TRUE(twoCapitals(w.tfWinTitle->text()));
  EXPECT_EQ(view.calls.last(), "title:" + w.tfWinTitle->text());

  // A digit typed in front of 25 characters: "A" in front, the last two cut.
  w.tfWinTitle->setText("abcdefghijklmnopqrstuvwxy");
  w.tfWinTitle->home(false);
  QTest::keyClick(w.tfWinTitle, '1');
  EXPECT_EQ(w.tfWinTitle->text(), "A1abcdefghijklmnopqrstuvw");
  EXPECT_EQ(KM::paleWinTitle, "A1abcdefghijklmnopqrstuvw");

  // Pasting a long text at the end: whatever the field lets in, no half character stays.
  w.tfWinTitle->setText(QString(20, 'x'));
  w.tfWinTitle->end(false);
  w.tfWinTitle->insert(kEmoji.repeated(40));
  EXPECT_EQ(w.tfWinTitle->text(), QString(20, 'x') + kEmoji.repeated(5));
  EXPECT_TRUE(KM::paleWinTitle.isValidUtf16());
}

TEST_F(ConstructTest, StoredTitleLongerThanTheFieldOpensCutOnACharacter) {
  // 24 letters and an emoji fill the 25 characters; Qt's unit limit must not cut the emoji.
  KM::paleWinTitle = QString(24, 'x') + kEmoji + QString(40, 'y');
  winConstruct& w = open();
  EXPECT_EQ(w.tfWinTitle->text(), QString(24, 'x') + kEmoji);
  EXPECT_EQ(KM::paleWinTitle, QString(24, 'x') + kEmoji);

  // A title that reaches the field's unit limit in the middle of an emoji.
  KM::paleWinTitle = QString(49, 'z') + kEmoji;
  open();
  EXPECT_EQ(KM::paleWinTitle, QString(25, 'z'));
}
