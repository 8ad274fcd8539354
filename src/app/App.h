#pragma once

#include <QApplication>
#include <QString>

#include "platform/FolderItem.h"

// The application object: one instance for the whole run, reached through App::current().
class App : public QApplication {
  Q_OBJECT
 public:
  App(int& argc, char** argv);
  ~App() override;

  // The running application object; raises MissingObjectException before it exists.
  static App& current();

  // The confirmation window's answer; it keeps the last answer given.
  bool fGlobalBoolean = false;
  QString sGlobalMessage;
  // The application data folder, set by start-up; no item until then.
  FolderItem appSupportFolder;
};
