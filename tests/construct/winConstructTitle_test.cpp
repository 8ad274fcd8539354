#include <algorithm>

#include "ConstructFixture.h"
#include "support/FocusChain.h"
#include "support/TitleTyping.h"

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
}

TEST_F(ConstructTest, TitleFieldTakesTypingAndPastesUpTo25Characters) {
  TitleTyping::runCases(open().tfWinTitle, 25, [this](const TitleTyping::Case& c) {
    EXPECT_EQ(KM::paleWinTitle, c.field);
    EXPECT_EQ(view.calls.last(), "title:" + c.field);
  });
}

TEST_F(ConstructTest, StoredTitleLongerThanTheFieldOpensCleanedWhole) {
  // 24 letters and an emoji fill the 25 characters; the cut never splits the emoji.
  KM::paleWinTitle = QString(24, 'x') + kEmoji + QString(40, 'y');
  winConstruct& w = open();
  EXPECT_EQ(w.tfWinTitle->text(), QString(24, 'x') + kEmoji);
  EXPECT_EQ(KM::paleWinTitle, QString(24, 'x') + kEmoji);

  // The rules run on the whole stored title: what they remove makes room before the cut.
  KM::paleWinTitle = "A.b.c.d.e.f.g.h.i.j.k.l.m.n.o.p";
  open();
  EXPECT_EQ(KM::paleWinTitle, "Abcdefghijklmnop");
}

TEST_F(ConstructTest, TitleFieldDrawsNoFocusFrameAndKeepsItsBorder) {
  winConstruct& w = open();
  w.show();
  w.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
  // A field as the style draws it, to show that the style does draw a focus frame here.
  auto* plain = new QLineEdit(&w);
  plain->setGeometry(w.tfWinTitle->geometry().translated(0, 30));
  plain->show();

  EXPECT_TRUE(focusChangesRing(plain));
  EXPECT_FALSE(focusChangesRing(w.tfWinTitle));
  const QList<QRgb> border = fieldRing(w.tfWinTitle);
  EXPECT_TRUE(std::any_of(border.begin(), border.end(), [](QRgb p) { return qGray(p) < 200; }));
}
