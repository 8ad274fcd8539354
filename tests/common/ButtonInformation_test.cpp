#include <QApplication>
#include <QScrollBar>
#include <QTest>

#include "app/App.h"
#include "common/winShowText.h"
#include "store/KM.h"
#include "support/TestEnvironment.h"

namespace {

struct Shown {
  QString title;
  QString text;
};

class ButtonInformationTest : public TavelinTest {
 protected:
  void SetUp() override {
    TavelinTest::SetUp();
    KM::resetToInitialValues();
    KM::aBtn = std::make_shared<BtnArray>();
    for (int n = 0; n < 100; ++n) KM::aBtn->emplace_back();
    KM::paleName = QStringLiteral("P05");
    KM::paleAlias = QStringLiteral("Editing");
  }

  // Opens the window for the button as the palette window does, reads it and presses OK.
  Shown show(qint64 button) {
    KM::idxCurrentBtn = button;
    Shown shown;
    ModalSeam::ScopedDriver<winShowText> driver([&](winShowText& w) {
      shown = {w.windowTitle(), w.taShow->toPlainText()};
      w.pbOK->click();
    });
    winShowText::instance().ShowModal();
    return shown;
  }
};

}  // namespace

TEST_F(ButtonInformationTest, ShowsInfoElseTipUnderPaletteAndButtonNumber) {
  struct Case {
    qint64 button;
    QString info, tip;
    QString title, text;
  };
  const Case cases[] = {
      {7, "Opens the mail", "Mail", "Button Information: P05 07", "Opens the mail"},
      {0, "", "Mail", "Button Information: P05 00", "Mail"},
      {99, "   ", "Mail", "Button Information: P05 99", "   "},
      {42, "", "", "Button Information: P05 42", ""},
      {12, "Line one\nLine two\n", "tip", "Button Information: P05 12", "Line one\nLine two\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.button);
    Btn& b = KM::aBtn->at(static_cast<size_t>(c.button));
    b.Info = c.info;
    b.Tip = c.tip;
    const Shown shown = show(c.button);
    EXPECT_EQ(shown.title, c.title);
    EXPECT_EQ(shown.text, c.text);
  }
  EXPECT_TRUE(messages.isEmpty());
  EXPECT_TRUE(logLines.isEmpty());
}

TEST_F(ButtonInformationTest, LongTextScrollsButCannotBeChanged) {
  QString longText;
  for (int i = 0; i < 80; ++i) longText += QStringLiteral("Line %1 of a long information text\n").arg(i);
  KM::aBtn->at(3).Info = longText;
  KM::idxCurrentBtn = 3;
  ModalSeam::ScopedDriver<winShowText> driver([&](winShowText& w) {
    EXPECT_EQ(w.size(), QSize(400, 250));
    EXPECT_TRUE(w.taShow->isEnabled());
    EXPECT_TRUE(w.taShow->isReadOnly());
    QScrollBar* bar = w.taShow->verticalScrollBar();
    EXPECT_GT(bar->maximum(), 0);
    bar->setValue(bar->maximum());
    EXPECT_EQ(bar->value(), bar->maximum());
    w.taShow->setFocus();
    QTest::keyClicks(w.taShow, QStringLiteral("typed"));
    QTest::keyClick(w.taShow, Qt::Key_Backspace);
    EXPECT_EQ(w.taShow->toPlainText(), longText);
    // Neither Return nor Escape closes the window.
    QTest::keyClick(&w, Qt::Key_Return);
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_TRUE(w.isVisible());
    // Resized, the text area keeps its distances to the edges, the OK button its corner.
    w.resize(600, 600);
    EXPECT_EQ(w.taShow->geometry(), QRect(20, 20, 560, 525));
    EXPECT_EQ(w.pbOK->geometry(), QRect(500, 560, 80, 20));
    w.resize(900, 900);
    EXPECT_EQ(w.size(), QSize(600, 600));
    w.close();  // the close box does what OK does
  });
  winShowText::instance().ShowModal();
  EXPECT_TRUE(messages.isEmpty());
}

TEST_F(ButtonInformationTest, EachRequestGetsANewWindowAndABadButtonNumberOopses) {
  KM::aBtn->at(1).Info = QStringLiteral("first");
  KM::aBtn->at(2).Tip = QStringLiteral("second");
  EXPECT_EQ(show(1).text, "first");
  const Shown second = show(2);
  EXPECT_EQ(second.title, "Button Information: P05 02");
  EXPECT_EQ(second.text, "second");

  const Shown bad = show(100);
  EXPECT_EQ(bad.title, "Button Information: P05 100");
  EXPECT_EQ(bad.text, "");
  EXPECT_EQ(messages, QStringList{"Oops! winShowText.Open\nWINDOW: winShowText\nEVENT NAME: Opening\n"
                                  "TYPE: OutOfBoundsException"});
  EXPECT_EQ(logLines, QStringList{"Exception: winShowText: Opening"});
}
