#pragma once

#include <QApplication>
#include <QString>
#include <functional>
#include <memory>
#include <thread>

#include "platform/FolderItem.h"
#include "platform/InstanceLock.h"
#include "platform/MoveRecovery.h"

// The application object: one instance for the whole run, reached through App::current().
class App : public QApplication {
  Q_OBJECT
 public:
  // The version data and company name that program start gives the application; the build
  // sets the version data, and gives the same to the macOS bundle.
  static constexpr int MajorVersion = TAVELIN_VERSION_MAJOR;
  static constexpr int MinorVersion = TAVELIN_VERSION_MINOR;
  static constexpr int BugVersion = TAVELIN_VERSION_PATCH;
  static constexpr int NonReleaseVersion = TAVELIN_NON_RELEASE_VERSION;
  static inline const QString StageCode = QStringLiteral(TAVELIN_STAGE_CODE);
  static inline const QString CompanyName = QStringLiteral("Orvane");
  // Where the application keeps the stage and the non-release number beside its version,
  // which stays the plain "1.0.0" wherever a window or the platform shows it.
  static constexpr const char* StageCodeProperty = "StageCode";
  static constexpr const char* NonReleaseVersionProperty = "NonReleaseVersion";

  App(int& argc, char** argv);
  ~App() override;

  // The running application object; raises MissingObjectException before it exists.
  static App& current();

  // Sets the version data (version, stage and non-release number) and the company name.
  void SetVersionData();

  // Runs the event loop: in it the Open event, then the default window that
  // createDefaultWindow makes. Without one the application ends after the Open event.
  int Run(std::function<void()> createDefaultWindow);

  // The start-up sequence: data folders, help, auto-quit, the store and its current palette.
  void Event_Open();
  // Raised as the application quits; it does nothing.
  void Event_Close();

  // What Quit does, also on SIGTERM, SIGINT and SIGHUP: every window is asked to close (the
  // palette window saves), and the program ends unless a window stays open.
  void QuitLikeTheMenu();

  // Set when start-up stopped, after saying why, before it read or wrote anything: another
  // running Tavelin holds the data folder, or the user's folders cannot be named. No window
  // opens.
  bool startRefused = false;

  // The confirmation window's answer; it keeps the last answer given.
  bool fGlobalBoolean = false;
  QString sGlobalMessage;
  // The application data folder, set by start-up; no item until then.
  FolderItem appSupportFolder;

 private:
  void PrepareDataFolders();
  // Moves of the user's files go on keeping their records in the data folder, and those that
  // a kill or power cut stopped are finished or undone, the user told where each entry is;
  // only while this start holds the data folder, since another's move may be under way.
  void PutRightInterruptedMoves();
  // Once the store is loaded: a deletion the stop interrupted is finished or undone, so that
  // the palette list agrees with the folders, and the user is told what was put right.
  void TellWhatWasPutRight();
  // One Tavelin per data folder, or the last to quit would overwrite the other's save.
  // False when another running instance holds the folder.
  bool LockDataFolder();

  void refuseStart(const QString& message, int exitCode);

  InstanceLock dataFolderLock_;
  bool holdsDataFolder_ = false;
  MoveRecovery::Outcome recovered_;
  int startExitCode_ = 0;
};

// Reading the system's font configuration is a third of the palette window's first paint:
// program start has it read on another thread, and Qt's lock on the font database makes the
// first text wait for it should that come first. The thread reads the environment, so
// nothing may change the environment while it runs; it ends when the result is destroyed.
std::jthread readFontDatabaseBeside();

// Program start's last resort for an error that nothing caught: log it, tell the user when
// a window can still be shown, and answer the exit code.
int failProgramStart(const std::exception& error);
