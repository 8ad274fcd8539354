#include "palette/MainMenuBar.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextEdit>

#include "common/ErrorGuard.h"
#include "common/QuitRequest.h"
#include "common/RuntimeException.h"

namespace {

enum class Kind { Menu, Item, Quit, Separator };

struct EntrySpec {
  Kind kind;
  const char* name;
  const char16_t* caption;
  const char* shortcut;  // "Cmd+<key>"; empty for none
  bool autoEnabled;      // no: enabled only by the window's enable handler
  bool visible;
};

const char16_t* const kSeparator = u"-";

// The whole bar in display order: a menu row, then its items.
const EntrySpec kEntries[] = {
    {Kind::Menu, "FileMenu", u"&File", "", true, false},
    {Kind::Quit, "FileQuit", u"&Quit", "Cmd+Q", true, true},

    {Kind::Menu, "EditMenu", u"&Edit", "", true, true},
    {Kind::Item, "EditUndo", u"&Undo", "Cmd+Z", true, true},
    {Kind::Separator, "EditSeparator1", kSeparator, "", true, true},
    {Kind::Item, "EditCut", u"Cu&t", "Cmd+X", true, true},
    {Kind::Item, "EditCopy", u"&Copy", "Cmd+C", true, true},
    {Kind::Item, "EditPaste", u"&Paste", "Cmd+V", true, true},
    {Kind::Item, "EditClear", u"&Delete", "", true, true},
    {Kind::Separator, "EditSeparator2", kSeparator, "", true, true},
    {Kind::Item, "EditSelectAll", u"Select &All", "Cmd+A", true, true},

    {Kind::Menu, "miPalette", u"Palette", "", true, true},
    {Kind::Item, "miSwitchPalette", u"Switch Palette", "Cmd+P", true, true},
    {Kind::Separator, "miSepLine", kSeparator, "", true, true},
    {Kind::Item, "miPalette00", u"P00", "Cmd+0", false, true},
    {Kind::Item, "miPalette01", u"P01", "Cmd+1", false, true},
    {Kind::Item, "miPalette02", u"P02", "Cmd+2", false, true},
    {Kind::Item, "miPalette03", u"P03", "Cmd+3", false, true},
    {Kind::Item, "miPalette04", u"P04", "Cmd+4", false, true},
    {Kind::Item, "miPalette05", u"P05", "Cmd+5", false, true},
    {Kind::Item, "miPalette06", u"P06", "Cmd+6", false, true},
    {Kind::Item, "miPalette07", u"P07", "Cmd+7", false, true},
    {Kind::Item, "miPalette08", u"P08", "Cmd+8", false, true},
    {Kind::Item, "miPalette09", u"P09", "Cmd+9", true, true},

    {Kind::Menu, "mbConfigure", u"Configure", "", true, true},
    {Kind::Item, "miConstruct", u"Grid Construct", "", true, true},
    {Kind::Item, "miButPic", u"Button Pictures", "", true, true},
    {Kind::Separator, "miSepLineConfigure", kSeparator, "", true, true},
    {Kind::Item, "miNewPalette", u"New Palette\u2026", "", true, true},
    {Kind::Item, "miRenamePalette", u"Rename Palette Alias\u2026", "", true, true},
    {Kind::Item, "miDeletePalette", u"Delete Palette\u2026", "", true, true},
};

// Cmd is Qt's Ctrl, which Qt shows as Command on macOS.
QKeySequence keySequence(const char* shortcut) {
  QString text = QString::fromLatin1(shortcut);
  text.replace(QStringLiteral("Cmd+"), QStringLiteral("Ctrl+"));
  return QKeySequence::fromString(text, QKeySequence::PortableText);
}

void setProperties(QAction* action, const EntrySpec& spec) {
  action->setObjectName(QString::fromLatin1(spec.name));
  action->setEnabled(spec.autoEnabled);
  if (spec.kind == Kind::Separator) {
    action->setSeparator(true);
  } else {
    action->setText(QString::fromUtf16(spec.caption));
  }
  action->setVisible(spec.visible);
  if (spec.kind != Kind::Separator) action->setShortcut(keySequence(spec.shortcut));
  if (spec.kind == Kind::Quit) action->setMenuRole(QAction::QuitRole);
  else action->setMenuRole(QAction::NoRole);
}

bool isEditEntry(const QString& name) { return name.startsWith(QStringLiteral("Edit")); }

// The standard edit commands on a text control of either kind.
template <class TextArea>
void textAreaCommand(TextArea* area, const QString& name) {
  const bool writable = !area->isReadOnly();
  if (name == QLatin1String("EditUndo")) {
    if (writable) area->undo();
  } else if (name == QLatin1String("EditCut")) {
    if (writable) area->cut();
  } else if (name == QLatin1String("EditCopy")) {
    area->copy();
  } else if (name == QLatin1String("EditPaste")) {
    if (writable) area->paste();
  } else if (name == QLatin1String("EditClear")) {
    if (writable) area->textCursor().removeSelectedText();
  } else if (name == QLatin1String("EditSelectAll")) {
    area->selectAll();
  }
}

void lineEditCommand(QLineEdit* field, const QString& name) {
  const bool writable = !field->isReadOnly();
  if (name == QLatin1String("EditUndo")) {
    if (writable) field->undo();
  } else if (name == QLatin1String("EditCut")) {
    if (writable) field->cut();
  } else if (name == QLatin1String("EditCopy")) {
    field->copy();
  } else if (name == QLatin1String("EditPaste")) {
    if (writable) field->paste();
  } else if (name == QLatin1String("EditClear")) {
    // del() alone would remove the character after the cursor when nothing is selected.
    if (writable && field->hasSelectedText()) field->del();
  } else if (name == QLatin1String("EditSelectAll")) {
    field->selectAll();
  }
}


QPointer<MainMenuBar>& sharedBar() {
  static QPointer<MainMenuBar> bar;
  return bar;
}

}  // namespace

MainMenuBar& MainMenuBar::shared() {
  QPointer<MainMenuBar>& bar = sharedBar();
  if (!bar) bar = new MainMenuBar;
  return *bar;
}

void MainMenuBar::showIn(QMainWindow& window) {
#ifdef Q_OS_MACOS
  Q_UNUSED(window)
  shared();
#else
  MainMenuBar& bar = shared();
  window.setMenuBar(&bar);
  // Setting a menu bar does not invalidate a layout that was already activated.
  window.layout()->invalidate();
  // Qt turns off the shortcuts of a hidden menu; bound to the window as well, Quit's Cmd+Q
  // still works although its File menu is never shown.
  if (QAction* quit = bar.entry(QStringLiteral("FileQuit"))) window.addAction(quit);
#endif
}

MainMenuBar::MainMenuBar() : QMenuBar(nullptr) {
  Untitled0();
  Untitled1();
  Untitled2();
  Untitled3();
}

void MainMenuBar::Untitled0() { buildMenu(QStringLiteral("FileMenu")); }
void MainMenuBar::Untitled1() { buildMenu(QStringLiteral("EditMenu")); }
void MainMenuBar::Untitled2() { buildMenu(QStringLiteral("miPalette")); }
void MainMenuBar::Untitled3() { buildMenu(QStringLiteral("mbConfigure")); }

void MainMenuBar::buildMenu(const QString& menuName) {
  QMenu* menu = nullptr;
  for (const EntrySpec& spec : kEntries) {
    const QString name = QString::fromLatin1(spec.name);
    if (spec.kind == Kind::Menu) {
      if (menu) return;  // the next menu's row ends this one
      if (name != menuName) continue;
      menu = new QMenu(this);
      setProperties(menu->menuAction(), spec);
      addMenu(menu);
      connect(menu, &QMenu::aboutToShow, this, &MainMenuBar::runEnableHandler);
    } else if (menu) {
      auto* action = new QAction(menu);
      setProperties(action, spec);
      menu->addAction(action);
      if (spec.kind != Kind::Separator)
        connect(action, &QAction::triggered, this, [this, name] { choose(name); });
    }
  }
}

QAction* MainMenuBar::entry(const QString& name) const {
  for (QAction* action : entries())
    if (action->objectName() == name) return action;
  return nullptr;
}

QList<QAction*> MainMenuBar::entries() const {
  QList<QAction*> out;
  for (QAction* menuAction : actions()) {
    out << menuAction;
    if (QMenu* menu = menuAction->menu()) out << menu->actions();
  }
  return out;
}

void MainMenuBar::forgetWhenDestroyed(QWidget* window) {
  if (handlers_.contains(window) || enableHandlers_.contains(window)) return;
  connect(window, &QObject::destroyed, this, [this](QObject* gone) {
    handlers_.remove(gone);
    enableHandlers_.remove(gone);
  });
}

void MainMenuBar::AddMenuHandler(QWidget* window, const QString& name, Handler handler) {
  forgetWhenDestroyed(window);
  handlers_[window][name] = std::move(handler);
}

void MainMenuBar::SetEnableHandler(QWidget* window, std::function<void()> handler) {
  forgetWhenDestroyed(window);
  if (!enableHandlers_.contains(window)) window->installEventFilter(this);
  enableHandlers_[window] = std::move(handler);
}

void MainMenuBar::runEnableHandler() {
  // A copy: the handler may close its window, which drops the stored one.
  const std::function<void()> handler = enableHandlers_.value(QApplication::activeWindow());
  if (handler) handler();
}

bool MainMenuBar::eventFilter(QObject* watched, QEvent* event) {
  const bool cmdKey = event->type() == QEvent::ShortcutOverride &&
                      (static_cast<QKeyEvent*>(event)->modifiers() & Qt::ControlModifier);
  if ((cmdKey || event->type() == QEvent::WindowActivate) &&
      watched == QApplication::activeWindow())
    runEnableHandler();
  return QMenuBar::eventFilter(watched, event);
}

void MainMenuBar::choose(const QString& name) {
  // A copy: the handler may close its window, which drops the stored one.
  const Handler handler = handlers_.value(QApplication::activeWindow()).value(name);
  if (handler) {
    handler();
    return;
  }
  if (isEditEntry(name)) editCommand(QApplication::focusWidget(), name);
  else if (name == QLatin1String("FileQuit")) QuitRequest::closeAllWindows();
}

bool MainMenuBar::editCommand(QWidget* control, const QString& name) {
  if (auto* box = qobject_cast<QAbstractSpinBox*>(control)) control = box->findChild<QLineEdit*>();
  if (auto* field = qobject_cast<QLineEdit*>(control)) {
    lineEditCommand(field, name);
  } else if (auto* area = qobject_cast<QTextEdit*>(control)) {
    textAreaCommand(area, name);
  } else if (auto* plain = qobject_cast<QPlainTextEdit*>(control)) {
    textAreaCommand(plain, name);
  } else {
    return false;
  }
  return true;
}

QString MainMenuBar::literalCaption(const QString& text) {
  QString out = text;
  return out.replace(QLatin1Char('&'), QStringLiteral("&&"));
}

bool guardedMenuHandler(const QString& window, const QString& entry,
                        const std::function<void()>& body) {
  const auto location = ReportLocation::menuItem(window, entry);
  try {
    return guarded(location, [&] {
      body();
      return true;
    });
  } catch (...) {
    // The report failed as well, or answered that the error should be raised again.
    SystemLog::write(location.logLine());
    return false;
  }
}

QAction* MainMenuEntries::at(const char* name) {
  QAction* found = MainMenuBar::shared().entry(QString::fromLatin1(name));
  if (!found)
    throw MissingObjectException(QStringLiteral("The menu bar has no entry named ") +
                                 QString::fromLatin1(name));
  return found;
}
