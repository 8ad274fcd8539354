#include <QApplication>
#include <QTest>
#include <QTextBlock>
#include <QTimer>
#include <functional>

#include "common/winReportError.h"
#include "help/HelpData.h"
#include "help/winHelp.h"
#include "platform/Screen.h"
#include "support/TestEnvironment.h"

namespace {

class HelpWindowTest : public TavelinTest {
 protected:
  void SetUp() override {
    TavelinTest::SetUp();
    Screen::setMainAvailableArea(QRect(0, 25, 1440, 875));
    HelpData::FillDictionaryFromHELP_TEXT();
  }
  void TearDown() override {
    Screen::setMainAvailableArea(std::nullopt);
    HelpData::helpDict.reset();
    TavelinTest::TearDown();
  }

  // Runs `inspect` on the help window once it is shown modally, then closes it with `close`
  // so that a failing check cannot leave the test waiting.
  void whenShown(std::function<void(winHelp&)> inspect, std::function<void(winHelp&)> close) {
    QTimer::singleShot(0, [=] {
      auto* w = qobject_cast<winHelp*>(QApplication::activeModalWidget());
      if (!w) {
        ADD_FAILURE() << "no modal help window";
        return;
      }
      inspect(*w);
      close(*w);
      if (w->isVisible()) w->reject();
    });
  }

  static int openHelpWindows() {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (qobject_cast<winHelp*>(w)) ++n;
    return n;
  }
  static int reportWindows() {
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (qobject_cast<winReportError*>(w) && w->isVisible()) ++n;
    return n;
  }
};

const QString kShortText = QStringLiteral("One short line.");

QString longText() {
  QString text;
  for (int n = 0; n < 400; ++n) text += QStringLiteral("Words that fill a long help page. ");
  return text;
}

}  // namespace

TEST_F(HelpWindowTest, RawTextFromHTMLKeepsOnlyTheText) {
  const std::pair<QString, QString> cases[] = {
      {"<p>One</p>\n\n<p>Two</p>", "One\n\nTwo"},
      {"a&nbsp;b", "a ;b"},
      {"a&NBSP;b", "a ;b"},
      {"x<br>y", "xy"},
      {"x<BR/>y", "x\ny"},
      {"a    b", "a  b"},
      {"a \t\n\r b", "a \tb"},
      {"1 < 2", "1 < 2"},
      {"1 < 2 > 0", "1  0"},
      {"  <p><b>Title</b></p>  ", "Title"},
      {"<span style=\"color:Green\"><b>Done</b></span>", "Done"},
  };
  for (const auto& [html, text] : cases)
    EXPECT_EQ(winHelp::RawTextFromHTML(html), text) << html.toStdString();
  EXPECT_TRUE(messages.isEmpty());
}

TEST_F(HelpWindowTest, WidthIsTheLastWorthwhileStepAndHeightFollowsIt) {
  struct Case {
    std::array<int, 5> heights;
    QSize size;
  };
  const Case cases[] = {
      // Gains 120, 50, 80, 150: 400 is overridden by 1000, a gain of exactly 80 does not count.
      {{500, 380, 330, 250, 100}, {1040, 336}},
      // One line: all heights equal, the narrowest width with its own offset.
      {{17, 17, 17, 17, 17}, {340, 200}},
      {{381, 300, 300, 300, 300}, {440, 576}},
      {{380, 300, 300, 300, 300}, {340, 636}},
      // A failed test does not stop the later ones.
      {{900, 890, 700, 690, 680}, {640, 1056}},
  };
  for (const Case& c : cases) EXPECT_EQ(winHelp::SizeForHeights(c.heights), c.size);
}

TEST_F(HelpWindowTest, WindowIsSizedToItsTextWithinTheScreenAtTheTopRight) {
  winHelp window;
  struct Case {
    QRect area;
    QString text;
  };
  const Case cases[] = {
      {QRect(0, 25, 1440, 875), kShortText},
      {QRect(0, 25, 1440, 875), longText()},
      {QRect(0, 25, 400, 875), kShortText},
      // A main screen whose area does not start at the left edge 0.
      {QRect(1440, 0, 1280, 775), longText()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.area.x() + c.area.width());
    Screen::setMainAvailableArea(c.area);
    window.AdjustWindowSize(c.text);
    QSize expected = winHelp::SizeForHeights(winHelp::WrappedHeights(c.text));
    expected = expected.boundedTo(QSize(c.area.width() * 8 / 10, c.area.height() * 8 / 10))
                   .expandedTo(window.minimumSize());
    EXPECT_EQ(window.size(), expected);
    EXPECT_EQ(window.geometry().y(), c.area.top() + 22);
    EXPECT_EQ(window.geometry().x(), c.area.left() + c.area.width() - window.width() - 4);
  }
  // The long text is cut at 0.8 of the available height; a narrow screen caps the width.
  Screen::setMainAvailableArea(QRect(0, 25, 1440, 875));
  window.AdjustWindowSize(longText());
  EXPECT_EQ(window.height(), 700);
  Screen::setMainAvailableArea(QRect(0, 25, 400, 875));
  window.AdjustWindowSize(kShortText);
  EXPECT_EQ(window.width(), 320);
  EXPECT_TRUE(messages.isEmpty());
}

TEST_F(HelpWindowTest, ViewerAndDoneFollowTheWindowEdges) {
  winHelp window;
  window.show();
  window.resize(800, 900);
  EXPECT_EQ(window.HV_Help->geometry(), QRect(20, 20, 760, 833));
  EXPECT_EQ(window.pbDone->geometry(), QRect(700, 865, 80, 20));
  EXPECT_EQ(window.minimumSize(), QSize(200, 200));
  EXPECT_EQ(window.maximumSize(), QSize(1500, 3000));
  // Opening sizes the window for the empty page.
  winHelp fresh;
  EXPECT_EQ(fresh.width(), 340);
}

TEST_F(HelpWindowTest, ShowHelpShowsThePageModallyUntilDone) {
  bool inspected = false;
  bool closedByDone = false;
  whenShown(
      [&](winHelp& w) {
        inspected = true;
        EXPECT_EQ(w.windowTitle(), "Help: Grid Construct");
        EXPECT_TRUE(w.isModal());
        EXPECT_EQ(w.contentHTML.count('\n'), 46);
        EXPECT_FALSE(w.contentHTML.contains(HelpData::kLineBreakMark));
        EXPECT_TRUE(w.contentHTML.startsWith("<span style=\"color:Black;font-size:18.0pt\">"));
        EXPECT_TRUE(w.justTextHTML.startsWith("Global Decisions\n\nThe upper quarter"));
        // Readable, scrollable and selectable, never editable.
        EXPECT_TRUE(w.HV_Help->isEnabled());
        EXPECT_TRUE(w.HV_Help->isReadOnly());
        // Every heading is a block of its own, also one that follows a paragraph.
        QStringList blocks;
        for (auto b = w.HV_Help->document()->begin(); b.isValid(); b = b.next())
          blocks << b.text().trimmed();
        EXPECT_EQ(blocks.size(), 24);
        EXPECT_TRUE(blocks.contains("Button by Button Decisions"));
        EXPECT_TRUE(blocks.contains("Shortcut"));
        EXPECT_EQ(w.HV_Help->geometry(), QRect(20, 20, w.width() - 40, w.height() - 67));
        EXPECT_EQ(w.geometry().y(), 25 + 22);
        EXPECT_EQ(w.geometry().x(), 1440 - w.width() - 4);
      },
      [&](winHelp& w) {
        w.pbDone->click();
        closedByDone = !w.isVisible();
      });
  HelpData::ShowHelp(5);
  EXPECT_TRUE(inspected);
  EXPECT_TRUE(closedByDone);
  EXPECT_EQ(openHelpWindows(), 0);
  EXPECT_TRUE(logLines.isEmpty());
  EXPECT_TRUE(messages.isEmpty());
}

TEST_F(HelpWindowTest, CloseBoxAndReturnEndTheWaitButEscapeDoesNot) {
  bool closedByBox = false;
  whenShown([](winHelp& w) { EXPECT_EQ(w.windowTitle(), "Help: Delete Palette"); },
            [&](winHelp& w) {
              w.close();
              closedByBox = !w.isVisible();
            });
  HelpData::ShowHelp(1);
  EXPECT_TRUE(closedByBox);
  EXPECT_EQ(openHelpWindows(), 0);

  bool stayedOpen = false;
  bool closedByReturn = false;
  whenShown(
      [&](winHelp& w) {
        QTest::keyClick(&w, Qt::Key_Escape);
        stayedOpen = w.isVisible();
      },
      [&](winHelp& w) {
        QTest::keyClick(w.HV_Help, Qt::Key_Return);
        closedByReturn = !w.isVisible();
      });
  HelpData::ShowHelp(6);
  EXPECT_TRUE(stayedOpen);
  EXPECT_TRUE(closedByReturn);
  EXPECT_EQ(openHelpWindows(), 0);
  EXPECT_TRUE(logLines.isEmpty());
}

TEST_F(HelpWindowTest, UnknownIdsAndMissingRecordsAreReportedWithoutAWindow) {
  for (qint64 id : {0, 7}) {
    logLines.clear();
    HelpData::ShowHelp(id);
    EXPECT_EQ(logLines, QStringList{"Exception - HelpData.ShowHelp"}) << id;
    EXPECT_EQ(openHelpWindows(), 0);
  }
  HelpData::helpDict.reset();
  HelpData::ShowHelp(1);
  EXPECT_EQ(logLines.size(), 2);
  EXPECT_EQ(reportWindows(), 3);
  EXPECT_EQ(openHelpWindows(), 0);
}
