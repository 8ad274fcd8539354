#pragma once

#include <QHash>
#include <QMenuBar>
#include <QString>
#include <functional>

class QAction;
class QMainWindow;

// The application's one menu bar: File (never shown; Quit only), Edit, Palette and
// Configure. Its entries carry no code of their own: a window binds handlers to entries by
// entry name, and choosing an entry (from its menu or by its shortcut) runs the handler that
// the active window bound under that name. Every entry is a QAction whose objectName is the
// entry's name; a menu is its menu action.
class MainMenuBar : public QMenuBar {
  Q_OBJECT
 public:
  // Answers true when it handled the choice. Handlers catch their own errors.
  using Handler = std::function<bool()>;

  // The one bar, built the first time it is asked for (start-up asks before any window
  // exists). Should the window that carries it be destroyed, the next request builds it anew.
  static MainMenuBar& shared();

  // Makes the shared bar the window's menu bar. On macOS the parentless bar already is the
  // global one, which every window shows.
  static void showIn(QMainWindow& window);

  // The entry with this name, menus and items alike; nullptr when the bar has none.
  QAction* entry(const QString& name) const;
  // Every entry in display order (a menu followed by its items).
  QList<QAction*> entries() const;

  // Binds a handler to an entry name for one window. A name no entry carries is accepted
  // and never called.
  void AddMenuHandler(QWidget* window, const QString& name, Handler handler);
  // The window's enable handler: run while that window is active, before a menu opens and
  // before a Cmd shortcut is looked up, and when the window becomes active again.
  void SetEnableHandler(QWidget* window, std::function<void()> handler);

  // What choosing the entry does: the active window's handler for it; else, for an Edit
  // entry, the standard edit command on the focused text control; else, for Quit, the
  // quit command; else nothing.
  void choose(const QString& name);

  // The standard edit command of the Edit entry `name` on a text control (field or area);
  // a read-only control only copies and selects. False when the control is no text control.
  static bool editCommand(QWidget* control, const QString& name);

  // The caption shown exactly as given: "&" is no access-key mark in it.
  static QString literalCaption(const QString& text);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  MainMenuBar();
  // The four build steps: File, Edit, Palette and Configure.
  void Untitled0();
  void Untitled1();
  void Untitled2();
  void Untitled3();
  void buildMenu(const QString& menuName);

  void forgetWhenDestroyed(QWidget* window);
  void runEnableHandler();

  QHash<const QObject*, QHash<QString, Handler>> handlers_;
  QHash<const QObject*, std::function<void()>> enableHandlers_;
};

// The guard of a window's menu handler: on an error, one report at "<window>.<entry>", an
// empty line, "APP:  <entry>", and one log line; nothing reaches Qt's event loop, not even
// when the report itself fails. Answers true when the body ran to its end.
bool guardedMenuHandler(const QString& window, const QString& entry,
                        const std::function<void()>& body);

// The palette window's accessors of the 31 entries, each under its entry name.
class MainMenuEntries {
 public:
  QAction* FileMenu() const { return at("FileMenu"); }
  QAction* FileQuit() const { return at("FileQuit"); }
  QAction* EditMenu() const { return at("EditMenu"); }
  QAction* EditUndo() const { return at("EditUndo"); }
  QAction* EditSeparator1() const { return at("EditSeparator1"); }
  QAction* EditCut() const { return at("EditCut"); }
  QAction* EditCopy() const { return at("EditCopy"); }
  QAction* EditPaste() const { return at("EditPaste"); }
  QAction* EditClear() const { return at("EditClear"); }
  QAction* EditSeparator2() const { return at("EditSeparator2"); }
  QAction* EditSelectAll() const { return at("EditSelectAll"); }
  QAction* miPalette() const { return at("miPalette"); }
  QAction* miSwitchPalette() const { return at("miSwitchPalette"); }
  QAction* miSepLine() const { return at("miSepLine"); }
  QAction* miPalette00() const { return at("miPalette00"); }
  QAction* miPalette01() const { return at("miPalette01"); }
  QAction* miPalette02() const { return at("miPalette02"); }
  QAction* miPalette03() const { return at("miPalette03"); }
  QAction* miPalette04() const { return at("miPalette04"); }
  QAction* miPalette05() const { return at("miPalette05"); }
  QAction* miPalette06() const { return at("miPalette06"); }
  QAction* miPalette07() const { return at("miPalette07"); }
  QAction* miPalette08() const { return at("miPalette08"); }
  QAction* miPalette09() const { return at("miPalette09"); }
  QAction* mbConfigure() const { return at("mbConfigure"); }
  QAction* miConstruct() const { return at("miConstruct"); }
  QAction* miButPic() const { return at("miButPic"); }
  QAction* miSepLineConfigure() const { return at("miSepLineConfigure"); }
  QAction* miNewPalette() const { return at("miNewPalette"); }
  QAction* miRenamePalette() const { return at("miRenamePalette"); }
  QAction* miDeletePalette() const { return at("miDeletePalette"); }

 protected:
  ~MainMenuEntries() = default;

 private:
  // Raises MissingObjectException when the bar has no such entry.
  static QAction* at(const char* name);
};
