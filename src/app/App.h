#pragma once

#include <QApplication>
#include <QString>
#include <functional>

#include "platform/FolderItem.h"

// The application object: one instance for the whole run, reached through App::current().
class App : public QApplication {
  Q_OBJECT
 public:
  // The version data and company name that program start gives the application.
  static constexpr int MajorVersion = 1;
  static constexpr int MinorVersion = 0;
  static constexpr int BugVersion = 0;
  static constexpr int NonReleaseVersion = 32;
  static inline const QString StageCode = QStringLiteral("final");
  static inline const QString CompanyName = QStringLiteral("Orvane");

  App(int& argc, char** argv);
  ~App() override;

  // The running application object; raises MissingObjectException before it exists.
  static App& current();

  // Sets the version data and the company name.
  void SetVersionData();

  // Runs the event loop: in it the Open event, then the default window that
  // createDefaultWindow makes. Without one the application ends after the Open event.
  int Run(std::function<void()> createDefaultWindow);

  // The start-up sequence: data folders, help, auto-quit, the store and its current palette.
  void Event_Open();
  // Raised as the application quits; it does nothing.
  void Event_Close();

  // The confirmation window's answer; it keeps the last answer given.
  bool fGlobalBoolean = false;
  QString sGlobalMessage;
  // The application data folder, set by start-up; no item until then.
  FolderItem appSupportFolder;

 private:
  void PrepareDataFolders();
};

// Program start's last resort for an error that nothing caught: log it, tell the user when
// a window can still be shown, and answer the exit code.
int failProgramStart(const std::exception& error);
