#include <QApplication>
#include <QEnterEvent>
#include <QFontMetrics>
#include <QTest>

#include "common/RuntimeException.h"
#include "common/winShowText.h"
#include "common/winReportError.h"
#include "palette/PaletteFixture.h"

namespace {

void hover(QWidget* widget) {
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QApplication::sendEvent(widget, &enter);
}

void leave(QWidget* widget) {
  QEvent leaveEvent(QEvent::Leave);
  QApplication::sendEvent(widget, &leaveEvent);
}

QStringList reportTexts() {
  QStringList out;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* r = qobject_cast<winReportError*>(w); r && r->isVisible()) out << r->labMessage->text();
  return out;
}

}  // namespace

class PaletteClickTest : public PaletteWindowTest {
 protected:
  void SetUp() override {
    PaletteWindowTest::SetUp();
    open().show();
  }

  // The button information window, answered at once; what it showed is kept.
  QStringList shown;
  ModalSeam::ScopedDriver<winShowText> answer{[this](winShowText& w) {
    shown << w.windowTitle() + "|" + w.taShow->toPlainText();
    w.pbOK->click();
  }};
  // Press on the button and release where given (inside by default).
  void click(int n, QPoint releaseAt = QPoint(30, 30)) {
    PaletteButton* b = window->cnBut.at(static_cast<size_t>(n));
    QTest::mousePress(b, Qt::LeftButton, Qt::NoModifier, QPoint(30, 30));
    QTest::mouseRelease(b, Qt::LeftButton, Qt::NoModifier, releaseAt);
  }
};

TEST_F(PaletteClickTest, ReleaseFiresOrShowsInformation) {
  button(7).Info = "";
  button(7).Tip = "";
  button(8).Tip = "only a tip";
  button(9).Info = "   ";  // spaces are text

  click(7);
  click(23, QPoint(300, -40));  // released outside the button: still fires
  EXPECT_EQ(fired, (QList<QStringList>{{"P05", "07"}, {"P05", "23"}}));

  // Shift, Control and Command change nothing.
  held = Qt::ShiftModifier | Qt::ControlModifier | Qt::MetaModifier;
  click(0);
  EXPECT_EQ(fired.last(), (QStringList{"P05", "00"}));

  // macOS makes a right-button press of Control+click: a click like any other there, while
  // a plain right button, or any right button elsewhere, does nothing.
  fired.clear();
  const std::tuple<bool, Qt::KeyboardModifiers, bool> rightPresses[] = {
      {true, Qt::MetaModifier, true},
      {true, Qt::NoModifier, false},
      {false, Qt::MetaModifier, false},
      {false, Qt::ControlModifier, false},
  };
  for (const auto& [mac, modifiers, fires] : rightPresses) {
    KeyModifiers::setMacMapping(mac);
    PaletteButton* b = window->cnBut.at(4);
    QTest::mousePress(b, Qt::RightButton, modifiers, QPoint(30, 30));
    QTest::mouseRelease(b, Qt::RightButton, modifiers, QPoint(30, 30));
    EXPECT_EQ(fired.size(), fires ? 1 : 0) << mac << " " << modifiers.toInt();
    fired.clear();
  }
  KeyModifiers::setMacMapping(std::nullopt);

  fired.clear();
  KM::idxCurrentBtn = 42;
  held = Qt::AltModifier | Qt::ShiftModifier;
  click(7);
  EXPECT_EQ(messages, QStringList{"No Additional Information about this button."});
  EXPECT_EQ(KM::idxCurrentBtn, 42);

  EXPECT_TRUE(shown.isEmpty());

  held = Qt::AltModifier;
  click(8);
  EXPECT_EQ(KM::idxCurrentBtn, 8);
  click(9);
  EXPECT_EQ(KM::idxCurrentBtn, 9);
  EXPECT_EQ(shown, (QStringList{"Button Information: P05 08|only a tip", "Button Information: P05 09|   "}));
  EXPECT_TRUE(fired.isEmpty());
  EXPECT_EQ(messages.size(), 1);
  EXPECT_TRUE(logLines.isEmpty());
}

TEST_F(PaletteClickTest, FailingScriptIsReportedAtTheClick) {
  ScriptRunner::setHandler([](const FolderItem&, const QStringList&) {
    throw IOException("The script FirePalette.scpt could not be started: No such file or directory");
  });
  click(12);
  EXPECT_EQ(logLines, QStringList{"Exception - winMain.cnBut.MouseUp"});
  const QStringList reports = reportTexts();
  ASSERT_EQ(reports.size(), 1);
  EXPECT_TRUE(reports[0].startsWith("IOException in winMain.cnBut.MouseUp\n\nWINDOW: winMain\n"
                                    "CONTROL: cnBut Set\nEVENT: MouseUp\n"))
      << reports[0].toStdString();
}

TEST_F(PaletteClickTest, HoverShowsTheButtonInTheStrip) {
  EXPECT_EQ(window->labSeeSC->text(), "*");  // until the pointer first enters a button
  EXPECT_EQ(window->labTip->text(), "Rubus");
  EXPECT_EQ(window->labSeeNum->text(), "P05");

  button(23).Tip = "Open the mail";
  hover(window->cnBut[23]);
  EXPECT_EQ(window->labSeeNum->text(), "P05 23");
  EXPECT_EQ(window->labTip->text(), "Open the mail");
  EXPECT_EQ(window->labSeeSC->text(), "x");

  leave(window->cnBut[23]);
  EXPECT_EQ(window->labSeeNum->text(), "P05");
  EXPECT_EQ(window->labTip->text(), "Rubus");
  EXPECT_EQ(window->labSeeSC->text(), "");

  hover(window->cnBut[60]);  // no shortcut, no tip
  EXPECT_EQ(window->labSeeSC->text(), KM::noneMark);
  EXPECT_EQ(window->labTip->text(), "");
}

TEST_F(PaletteClickTest, StripShowsTipsAndAliasesAsWrittenNotAsMarkup) {
  // A label reads its full text only when it is not taken as HTML: then it needs the room
  // of every character, tags included.
  auto showsAsWritten = [](QLabel* label, const QString& text) {
    return label->text() == text &&
           label->sizeHint().width() >= QFontMetrics(label->font()).horizontalAdvance(text);
  };
  const QString tip = QStringLiteral("<b>Bold</b> the selection");
  button(23).Tip = tip;
  hover(window->cnBut[23]);
  EXPECT_TRUE(showsAsWritten(window->labTip, tip));

  KM::paleAlias = QStringLiteral("<i>Mail</i> &amp; news");
  leave(window->cnBut[23]);
  EXPECT_TRUE(showsAsWritten(window->labTip, KM::paleAlias));
}
