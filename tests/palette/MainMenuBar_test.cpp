#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QTest>
#include <QTextBrowser>

#include "common/RuntimeException.h"
#include "common/winReportError.h"
#include "help/winHelp.h"
#include "palette/MainMenuBar.h"
#include "support/TestEnvironment.h"

namespace {

struct Row {
  QString name;
  QString caption;  // "-" for a separator
  QString shortcut;  // portable text; Cmd is Qt's Ctrl
  bool enabled;
  bool visible;
  bool operator==(const Row&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Row& r) {
  return os << r.name.toStdString() << " \"" << r.caption.toStdString() << "\" "
            << r.shortcut.toStdString() << " enabled=" << r.enabled << " visible=" << r.visible;
}

QList<Row> builtRows(const MainMenuBar& bar) {
  QList<Row> rows;
  for (QAction* a : bar.entries())
    rows << Row{a->objectName(), a->isSeparator() ? QStringLiteral("-") : a->text(),
                a->shortcut().toString(QKeySequence::PortableText), a->isEnabled(),
                a->isVisible()};
  return rows;
}

// A window that carries the shared bar, shown and active, as the palette window is.
class BarWindow : public QMainWindow {
 public:
  BarWindow() {
    MainMenuBar::showIn(*this);
    resize(200, 100);
    show();
    activateWindow();
  }
};

bool activate(QWidget& w) {
  w.show();
  w.activateWindow();
  return QTest::qWaitForWindowActive(&w);
}

}  // namespace

using MainMenuBarTest = TavelinTest;

TEST_F(MainMenuBarTest, BarHoldsTheThirtyOneEntriesAsBuilt) {
  const QList<Row> expected = {
      {"FileMenu", "&File", "", false, false},  // Qt disables what it hides
      {"FileQuit", "&Quit", "Ctrl+Q", true, true},
      {"EditMenu", "&Edit", "", true, true},
      {"EditUndo", "&Undo", "Ctrl+Z", true, true},
      {"EditSeparator1", "-", "", true, true},
      {"EditCut", "Cu&t", "Ctrl+X", true, true},
      {"EditCopy", "&Copy", "Ctrl+C", true, true},
      {"EditPaste", "&Paste", "Ctrl+V", true, true},
      {"EditClear", "&Delete", "", true, true},
      {"EditSeparator2", "-", "", true, true},
      {"EditSelectAll", "Select &All", "Ctrl+A", true, true},
      {"miPalette", "Palette", "", true, true},
      {"miSwitchPalette", "Switch Palette", "Ctrl+P", true, true},
      {"miSepLine", "-", "", true, true},
      {"miPalette00", "P00", "Ctrl+0", false, true},
      {"miPalette01", "P01", "Ctrl+1", false, true},
      {"miPalette02", "P02", "Ctrl+2", false, true},
      {"miPalette03", "P03", "Ctrl+3", false, true},
      {"miPalette04", "P04", "Ctrl+4", false, true},
      {"miPalette05", "P05", "Ctrl+5", false, true},
      {"miPalette06", "P06", "Ctrl+6", false, true},
      {"miPalette07", "P07", "Ctrl+7", false, true},
      {"miPalette08", "P08", "Ctrl+8", false, true},
      {"miPalette09", "P09", "Ctrl+9", true, true},
      {"mbConfigure", "Configure", "", true, true},
      {"miConstruct", "Grid Construct", "", true, true},
      {"miButPic", "Button Pictures", "", true, true},
      {"miSepLineConfigure", "-", "", true, true},
      {"miNewPalette", QString::fromUtf8("New Palette\u2026"), "", true, true},
      {"miRenamePalette", QString::fromUtf8("Rename Palette Alias\u2026"), "", true, true},
      {"miDeletePalette", QString::fromUtf8("Delete Palette\u2026"), "", true, true},
  };
  MainMenuBar& bar = MainMenuBar::shared();
  EXPECT_EQ(&bar, &MainMenuBar::shared());
  const QList<Row> rows = builtRows(bar);
  ASSERT_EQ(rows.size(), 31);
  for (qsizetype i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i], expected[i]) << "row " << i;

  // Four menus in order; the items belong to the menu above them.
  const QList<QAction*> menus = bar.actions();
  ASSERT_EQ(menus.size(), 4);
  EXPECT_EQ(menus[0]->menu()->actions().size(), 1);
  EXPECT_EQ(menus[1]->menu()->actions().size(), 8);
  EXPECT_EQ(menus[2]->menu()->actions().size(), 12);
  EXPECT_EQ(menus[3]->menu()->actions().size(), 6);

  EXPECT_EQ(bar.entry("FileQuit")->menuRole(), QAction::QuitRole);
  EXPECT_EQ(bar.entry("miModifyPalette"), nullptr);
  EXPECT_EQ(bar.entry("miNewPalette")->text().size(), 12);  // "…" is one character
}

TEST_F(MainMenuBarTest, EntryAccessorsFindEveryEntryByName) {
  struct Accessors : MainMenuEntries {};
  const Accessors w;
  EXPECT_EQ(w.miPalette05(), MainMenuBar::shared().entry("miPalette05"));
  EXPECT_EQ(w.FileQuit()->menuRole(), QAction::QuitRole);
  EXPECT_TRUE(w.EditSeparator2()->isSeparator());
  EXPECT_EQ(w.mbConfigure()->menu()->actions().last(), w.miDeletePalette());
}

TEST_F(MainMenuBarTest, ChoiceRunsTheActiveWindowsHandlerOnly) {
  BarWindow palette;
  ASSERT_TRUE(activate(palette));
  QMainWindow other;
  MainMenuBar& bar = MainMenuBar::shared();
  int paletteRuns = 0;
  int otherRuns = 0;
  bar.AddMenuHandler(&palette, "miSwitchPalette", [&] { return ++paletteRuns > 0; });
  bar.AddMenuHandler(&other, "miSwitchPalette", [&] { return ++otherRuns > 0; });
  bar.AddMenuHandler(&palette, "miModifyPalette", [&] { return ++paletteRuns > 0; });

  bar.entry("miSwitchPalette")->trigger();
  QTest::keyClick(&palette, Qt::Key_P, Qt::ControlModifier);
  EXPECT_EQ(paletteRuns, 2);
  EXPECT_EQ(otherRuns, 0);

  // Another window active: the palette window's handler is not reached.
  ASSERT_TRUE(activate(other));
  bar.entry("miSwitchPalette")->trigger();
  EXPECT_EQ(paletteRuns, 2);
  EXPECT_EQ(otherRuns, 1);
}

TEST_F(MainMenuBarTest, EnableHandlerRunsBeforeMenuOpensAndBeforeCmdShortcut) {
  BarWindow palette;
  ASSERT_TRUE(activate(palette));
  MainMenuBar& bar = MainMenuBar::shared();
  QAction* p03 = bar.entry("miPalette03");
  bool allow = false;
  int enables = 0;
  int runs = 0;
  bar.SetEnableHandler(&palette, [&] {
    ++enables;
    p03->setEnabled(allow);
  });
  bar.AddMenuHandler(&palette, "miPalette03", [&] { return ++runs > 0; });

  // The stale state says enabled; the refresh before the shortcut disables it.
  p03->setEnabled(true);
  QTest::keyClick(&palette, Qt::Key_3, Qt::ControlModifier);
  EXPECT_EQ(runs, 0);
  EXPECT_GE(enables, 1);

  // And the other way round: enabled by the refresh, carried out by the same key press.
  allow = true;
  p03->setEnabled(false);
  QTest::keyClick(&palette, Qt::Key_3, Qt::ControlModifier);
  EXPECT_EQ(runs, 1);

  enables = 0;
  allow = false;
  emit bar.entry("miPalette")->menu()->aboutToShow();
  EXPECT_EQ(enables, 1);
  EXPECT_FALSE(p03->isEnabled());
}

TEST_F(MainMenuBarTest, CmdQQuitsThroughTheHiddenFileMenu) {
  struct ClosingWindow : BarWindow {
    int closes = 0;
    void closeEvent(QCloseEvent* e) override {
      ++closes;
      QMainWindow::closeEvent(e);
    }
  } palette;
  ASSERT_TRUE(activate(palette));
  QWidget report;
  report.show();
  ASSERT_TRUE(activate(palette));

  QTest::keyClick(&palette, Qt::Key_Q, Qt::ControlModifier);
  EXPECT_EQ(palette.closes, 1);
  EXPECT_FALSE(palette.isVisible());
  EXPECT_FALSE(report.isVisible());
}

TEST_F(MainMenuBarTest, EditEntriesActOnFocusedTextControlOrOnTheWindowsOwnHandler) {
  BarWindow palette;
  auto* field = new QLineEdit("hello world", &palette);
  palette.setCentralWidget(field);
  ASSERT_TRUE(activate(palette));
  field->setFocus();
  MainMenuBar& bar = MainMenuBar::shared();

  bar.entry("EditSelectAll")->trigger();
  EXPECT_EQ(field->selectedText(), "hello world");
  bar.entry("EditCopy")->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), "hello world");
  bar.entry("EditClear")->trigger();
  EXPECT_EQ(field->text(), "");
  bar.entry("EditClear")->trigger();  // nothing selected: nothing to delete, no error
  bar.entry("EditPaste")->trigger();
  bar.entry("EditPaste")->trigger();
  EXPECT_EQ(field->text(), "hello worldhello world");
  bar.entry("EditUndo")->trigger();
  EXPECT_EQ(field->text(), "hello world");

  // A read-only control copies but does not change.
  field->setReadOnly(true);
  field->selectAll();
  bar.entry("EditCut")->trigger();
  bar.entry("EditClear")->trigger();
  EXPECT_EQ(field->text(), "hello world");

  // A window that binds its own edit commands (the help page) gets them while active.
  QStringList helpCommands;
  bar.AddMenuHandler(&palette, "EditCopy", [&] {
    helpCommands << "EditCopy";
    return true;
  });
  QApplication::clipboard()->clear();
  bar.entry("EditCopy")->trigger();
  EXPECT_EQ(helpCommands, QStringList{"EditCopy"});
  EXPECT_EQ(QApplication::clipboard()->text(), "");
}

TEST_F(MainMenuBarTest, BarIsBuiltAnewAfterItsWindowDeletedIt) {
  struct Probe : MainMenuEntries {};
  // The palette window deleted the bar; the accessors still reach a complete one.
  delete &MainMenuBar::shared();
  const Probe probe;
  EXPECT_NE(probe.miPalette00(), nullptr);
  EXPECT_EQ(probe.miPalette00()->text(), "P00");
}

TEST_F(MainMenuBarTest, HandlerErrorGivesOneReportAndOneLogLine) {
  int before = 0;
  const bool done = guardedMenuHandler("winMain", "miPalette05", [&] {
    ++before;
    throw OutOfBoundsException("slot 5", 5);
  });
  EXPECT_FALSE(done);
  EXPECT_EQ(before, 1);
  EXPECT_EQ(logLines, QStringList{"Exception - winMain.miPalette05"});
  QStringList reports;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* r = qobject_cast<winReportError*>(w); r && r->isVisible()) reports << r->labMessage->text();
  ASSERT_EQ(reports.size(), 1);
  EXPECT_TRUE(reports[0].startsWith("OutOfBoundsException in winMain.miPalette05\n\nAPP:  miPalette05\n"))
      << reports[0].toStdString();

  EXPECT_TRUE(guardedMenuHandler("winMain", "miConstruct", [] {}));
  EXPECT_EQ(logLines.size(), 1);
}

TEST_F(MainMenuBarTest, EditEntriesActOnTheHelpPageWhileTheHelpWindowIsActive) {
  winHelp help;
  help.HV_Help->setPlainText("Switch palettes with Cmd+0 to Cmd+9.");
  ASSERT_TRUE(activate(help));
  help.pbDone->setFocus();  // the page itself need not have the focus
  MainMenuBar& bar = MainMenuBar::shared();
  bar.entry("EditSelectAll")->trigger();
  bar.entry("EditCopy")->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), "Switch palettes with Cmd+0 to Cmd+9.");
  // The page is read-only: Delete, Cut and Paste leave it as it is.
  bar.entry("EditClear")->trigger();
  bar.entry("EditCut")->trigger();
  bar.entry("EditPaste")->trigger();
  EXPECT_EQ(help.HV_Help->toPlainText(), "Switch palettes with Cmd+0 to Cmd+9.");
}
