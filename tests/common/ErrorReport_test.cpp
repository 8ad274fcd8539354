#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QWindow>

#include "common/ErrorGuard.h"
#include "common/ModalSeam.h"
#include "common/RuntimeException.h"
#include "common/winReportError.h"
#include "support/TestEnvironment.h"

namespace {

class NamelessError : public RuntimeException {
 public:
  using RuntimeException::RuntimeException;
  QString typeName() const override { return {}; }
};

QList<winReportError*> reportWindows() {
  QList<winReportError*> out;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* r = qobject_cast<winReportError*>(w); r && r->isVisible()) out << r;
  return out;
}

const auto kActivate = ReportLocation::moduleMethod("KM", "ActivatePalette");

}  // namespace

using ErrorReportTest = TavelinTest;

TEST_F(ErrorReportTest, ReportTextIsExactForEachKindOfError) {
  struct Case {
    std::function<void()> raise;
    QString expected;
  };
  const QString head = "\n\nMODULE: KM\nMETHOD: ActivatePalette\n";
  const Case cases[] = {
      {[] { throw OutOfBoundsException("", 0); },
       "OutOfBoundsException in KM.ActivatePalette" + head +
           "TYPE: OutOfBoundsException\nERROR CODE: 0\nERROR MESSAGE: "},
      {[] { throw IOException("Disk full", -5); },
       "IOException in KM.ActivatePalette" + head + "TYPE: IOException\nERROR CODE: -5\nERROR MESSAGE: Disk full"},
      {[] { throw NamelessError("gone", 12); },
       " in KM.ActivatePalette" + head + "TYPE: \nERROR CODE: 12\nERROR MESSAGE: gone"},
      {[] { throw std::out_of_range("vector"); },
       "std::out_of_range in KM.ActivatePalette" + head +
           "TYPE: std::out_of_range\nERROR CODE: 0\nERROR MESSAGE: vector"},
  };
  for (const Case& c : cases) {
    try {
      c.raise();
    } catch (const std::exception& e) {
      EXPECT_EQ(ErrorHandling::ReportText(e, kActivate.text()), c.expected);
    }
  }
}

TEST_F(ErrorReportTest, GuardReportsOnceKeepsEarlierWorkAndReturnsDefault) {
  int done = 0;
  const int result = guarded(kActivate, [&]() -> int {
    ++done;
    throw MissingKeyException("s_Alias");
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(done, 1);
  EXPECT_EQ(logLines, QStringList{"Exception - KM.ActivatePalette"});
  const auto windows = reportWindows();
  ASSERT_EQ(windows.size(), 1);
  EXPECT_EQ(windows[0]->windowTitle(), "Oops! Error Message");
  EXPECT_EQ(windows[0]->size(), QSize(424, 200));
  EXPECT_EQ(windows[0]->minimumSize(), QSize(200, 100));
  EXPECT_EQ(windows[0]->maximumSize(), QSize(600, 600));
  EXPECT_TRUE(windows[0]->labMessage->text().startsWith("MissingKeyException in KM.ActivatePalette\n\n"));
  EXPECT_TRUE(windows[0]->labMessage->textInteractionFlags() & Qt::TextSelectableByMouse);

  // Nothing raised: no report, the body's value.
  EXPECT_EQ(guarded(kActivate, [] { return 7; }), 7);
  EXPECT_EQ(guarded(kActivate, [] { return QString("x"); }, QString("fallback")), "x");
  EXPECT_EQ(logLines.size(), 1);

  // Two errors in a row give two windows.
  guarded(kActivate, [] { throw IOException("again"); });
  EXPECT_EQ(reportWindows().size(), 2);
}

TEST_F(ErrorReportTest, OopsVariantShowsBoxWithoutEmptyLine) {
  const auto open = ReportLocation::appEvent("Open", "Opening");
  guardedOops(open, [] { throw IOException("x"); }, "Exception: App: Opening");
  ASSERT_EQ(messages.size(), 1);
  EXPECT_EQ(messages[0], "Oops! App.Open\nEVENT HANDLER: App\nEVENT NAME: Opening\nTYPE: IOException");
  EXPECT_EQ(logLines, QStringList{"Exception: App: Opening"});
  EXPECT_TRUE(reportWindows().isEmpty());

  const bool answer = guardedOops(ReportLocation::moduleMethod("FileTools", "rbHasExtension"),
                                  []() -> bool { throw MissingObjectException(""); }, {}, true);
  EXPECT_TRUE(answer);
  EXPECT_EQ(logLines.last(), "Exception - FileTools.rbHasExtension");
}

TEST_F(ErrorReportTest, LocationFormsUseTheirLabels) {
  EXPECT_EQ(ReportLocation::menuItem("winMain", "miPalette05").text(), "winMain.miPalette05\n\nAPP:  miPalette05");
  EXPECT_EQ(ReportLocation::controlEvent("winMain", "cnBut", "Paint").text(),
            "winMain.cnBut.Paint\n\nWINDOW: winMain\nCONTROL: cnBut\nEVENT: Paint");
  EXPECT_EQ(ReportLocation::windowEvent("winMain", "KeyDown").text(),
            "winMain.KeyDown\n\nWINDOW: winMain\nEVENT NAME: KeyDown");
  EXPECT_EQ(ReportLocation::containerInstance("winConstruct", "ccShortcutUpDown", "Open_Instance").text(),
            "winConstruct.ccShortcutUpDown.Open_Instance\n\nCONSTAINER_CONTROL_INSTANCE: ccShortcutUpDown\n"
            "EVENT HANDLER: Open_Instance");
}

TEST_F(ErrorReportTest, FailingReportWindowDoesNotNest) {
  int calls = 0;
  winReportError::constructionProbe() = [&] {
    ++calls;
    throw IOException("no window");
  };
  guarded(kActivate, [] { throw IOException("first"); });
  winReportError::constructionProbe() = {};
  EXPECT_EQ(calls, 2);  // the report, then the report of its failure; no third
  EXPECT_EQ(messages, QStringList{"HandleException Error"});
  EXPECT_EQ(logLines, (QStringList{"Exception - winReportError.Constructor", "Exception - winReportError.Constructor",
                                   "Exception - KM.ActivatePalette"}));
}

TEST_F(ErrorReportTest, ReportRaisedInsideAModalWindowStandsAboveItAndTakesInputAtOnce) {
  winReportError* report = nullptr;
  {
    ModalWindow modal;
    ModalSeam::ScopedDriver<ModalWindow> driver([&](ModalWindow& m) {
      guarded(kActivate, [] { throw IOException("Disk full"); });
      ASSERT_EQ(reportWindows().size(), 1);
      report = reportWindows().first();
      EXPECT_EQ(report->windowHandle()->transientParent(), m.windowHandle());
      EXPECT_TRUE(report->isVisible());
      EXPECT_TRUE(report->isEnabled());
      // The modal window does not swallow the click: a double click selects a word. The click
      // goes to the window as the window system would send it, where modality is applied.
      QTest::mouseDClick(report->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                         report->labMessage->geometry().topLeft() + QPoint(10, 8));
      EXPECT_TRUE(report->labMessage->hasSelectedText());
    });
    ModalSeam::run(modal);
  }
  // The report stays once the modal window is gone.
  ASSERT_EQ(reportWindows().size(), 1);
  EXPECT_EQ(reportWindows().first(), report);

  // Raised with no modal window open, a report belongs to no window.
  guarded(kActivate, [] { throw IOException("again"); });
  ASSERT_EQ(reportWindows().size(), 2);
  const winReportError* later = reportWindows().first() == report ? reportWindows().last() : reportWindows().first();
  EXPECT_EQ(later->windowHandle()->transientParent(), nullptr);
}

// A failure while a window was being prepared, before it showed: once the window stands,
// the report stands above it, takes input and has the focus.
TEST_F(ErrorReportTest, ReportRaisedBeforeAModalWindowOpensStandsAboveIt) {
  ModalWindow modal;
  // The window's preparation (its Open handler) fails.
  guarded(kActivate, [] { throw IOException("Disk full"); });
  ASSERT_EQ(reportWindows().size(), 1);
  winReportError* report = reportWindows().first();
  ModalSeam::ScopedDriver<ModalWindow> driver([&](ModalWindow& m) {
    QApplication::processEvents();
    EXPECT_EQ(report->windowHandle()->transientParent(), m.windowHandle());
    // The window manager activates the window it has just mapped, after all that was asked
    // before; the report then takes the focus back, so the user's first key goes to it.
    m.activateWindow();
    QTest::qWait(50);
    EXPECT_EQ(QApplication::activeWindow(), report);
    QTest::mouseDClick(report->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                       report->labMessage->geometry().topLeft() + QPoint(10, 8));
    EXPECT_TRUE(report->labMessage->hasSelectedText());
  });
  // Shown, the window waits for the window manager to activate it, as on X11.
  modal.setAttribute(Qt::WA_ShowWithoutActivating);
  ModalSeam::run(modal);
}

// A window opened from another one: a failure in its preparation is first shown above the
// window that opened it, then above the new window once that stands.
TEST_F(ErrorReportTest, ReportRaisedWhileAWindowOpensFromAnotherStandsAboveTheNewOne) {
  class OpenedWindow : public ModalWindow {
    using ModalWindow::ModalWindow;
  };
  ModalWindow opener;
  ModalSeam::ScopedDriver<ModalWindow> openerDriver([](ModalWindow& o) {
    OpenedWindow opened;
    guarded(kActivate, [] { throw IOException("Disk full"); });
    ASSERT_EQ(reportWindows().size(), 1);
    const winReportError* report = reportWindows().first();
    EXPECT_EQ(report->windowHandle()->transientParent(), o.windowHandle());
    ModalSeam::ScopedDriver<OpenedWindow> openedDriver([&](OpenedWindow& w) {
      EXPECT_EQ(report->windowHandle()->transientParent(), w.windowHandle());
    });
    ModalSeam::run(opened);
  });
  ModalSeam::run(opener);
}

// A report left open is no part of a window opened later: that window opens above it and
// keeps the focus, as the report blocks nothing.
TEST_F(ErrorReportTest, ReportLeftOpenStaysBehindAWindowOpenedLater) {
  const std::vector<std::pair<const char*, std::function<void()>>> raised = {
      {"inside an earlier window, since closed",
       [] {
         ModalWindow earlier;
         ModalSeam::ScopedDriver<ModalWindow> driver(
             [](ModalWindow&) { guarded(kActivate, [] { throw IOException("Disk full"); }); });
         ModalSeam::run(earlier);
       }},
      {"with no window open", [] { guarded(kActivate, [] { throw IOException("Disk full"); }); }},
  };
  for (const auto& [when, raise] : raised) {
    SCOPED_TRACE(when);
    raise();
    QApplication::processEvents();
    ASSERT_EQ(reportWindows().size(), 1);
    winReportError* report = reportWindows().first();
    ModalWindow later;
    ModalSeam::ScopedDriver<ModalWindow> driver([&](ModalWindow& m) {
      m.activateWindow();
      QTest::qWait(50);
      EXPECT_EQ(QApplication::activeWindow(), &m);
      EXPECT_NE(report->windowHandle()->transientParent(), m.windowHandle());
      EXPECT_TRUE(report->isVisible());
    });
    later.setAttribute(Qt::WA_ShowWithoutActivating);
    ModalSeam::run(later);
    report->close();
    QApplication::processEvents();
  }
}
