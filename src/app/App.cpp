#include "app/App.h"

#include <QFontDatabase>
#include <QTimer>
#include <QWidget>
#include <thread>

#include "app/BundleInfo.h"
#include "common/ErrorGuard.h"
#include "common/FileTools.h"
#include "common/QuitRequest.h"
#include "common/RuntimeException.h"
#include "help/HelpData.h"
#include "manage/PaletteDeletion.h"
#include "platform/MoveRecord.h"
#include "platform/MoveRecovery.h"
#include "platform/TerminationSignals.h"
#include "platform/UserFolders.h"
#include "store/KM.h"

namespace {
const QString kLegacyFolderName = QStringLiteral("Tavelins");
const QString kObsoleteHelpDatabase = QStringLiteral("Help_Tavelins.sqlite");
const QString kLegacyKeptLogLine =
    QStringLiteral("App: Opening: kept the folder \"%1\", which is not empty, beside \"%2\"");
const QString kLegacyNoFolderLogLine =
    QStringLiteral("App: Opening: left \"%1\" alone, since it is not a folder");
const QString kInstanceLockName = QStringLiteral(".Tavelin.lock");
const QString kAlreadyRunning = QStringLiteral(
    "Tavelin is already running with these palettes. Use the open Tavelin window; this second "
    "start closes without changing anything.");
const QString kPathNotText = QStringLiteral(
    "Tavelin cannot use the folder %1: its path is not valid UTF-8 text, so Tavelin would keep "
    "its palettes in another folder beside it. Tavelin closes without creating or changing anything.");
const QString kSettingsPathNotText = QStringLiteral(
    "Tavelin cannot use the folder %1, which holds your folder settings: its path is not valid UTF-8 text, so "
    "Tavelin would not find the Desktop set there and would make another one. Tavelin closes without creating "
    "or changing anything.");
const QString kNoLockLogLine = QStringLiteral("App: Opening: could not lock %1, so a second Tavelin is not kept out");
const QString kOtherCurrentLogLine =
    QStringLiteral("App: Opening: palette %1 could not be made current; palette %2 is current instead");
const QString kMovesPutRight =
    QStringLiteral("Tavelin was stopped, last time, before it had finished moving some files. It has put this right:");
const QString kMovesLeft =
    QStringLiteral("Some files that Tavelin was moving when it was stopped are not yet where they belong:");
const QString kRecordsLeftAlone =
    QStringLiteral("Tavelin has not acted on these records of moves, and leaves each where it is:");
const QString kMovesWaiting = QStringLiteral(
    "Tavelin cannot lock its data folder %1, so it does not put right the moves that were stopped before they had "
    "finished: another Tavelin may be making them. Each entry stays where it is until a start that can lock the "
    "folder puts it right:");
const QString kUnaccounted = QStringLiteral(
    "These entries carry names that Tavelin gives its own entries only while it moves or saves them, and no record "
    "tells what they are, so Tavelin leaves them where they are:");
const QString kOpenLogLine = QStringLiteral("Exception: App: Opening");
const QString kProgramStartLogLine = QStringLiteral("Exception - main: %1");
const QString kProgramStartMessage = QStringLiteral("Tavelin cannot go on and closes: %1");

const auto kOpen = ReportLocation::appEvent(QStringLiteral("Open"), QStringLiteral("Opening"));

App* running = nullptr;

bool storeUsable() {
  if (KM::idxCP < 0 || KM::idxCP >= static_cast<qint64>(KM::DP.size())) return false;
  const PaletteRecord& current = KM::DP[static_cast<size_t>(KM::idxCP)];
  return current.complete() && KM::aBtn == current.a_Btn;
}

// The palette window must open on a complete palette, and its close must never write an
// empty store: when the saved current palette could not be made current, the first complete
// palette in use (else any complete one) becomes current; with none loaded, a first palette.
void ensureUsableStore() {
  if (storeUsable()) return;
  const qint64 failed = KM::idxCP;
  if (KM::DP.empty()) KM::CreateFirstPalette();
  const auto firstComplete = [](bool inUseOnly) -> qint64 {
    for (qint64 i = 0; i < static_cast<qint64>(KM::DP.size()); ++i) {
      const PaletteRecord& record = KM::DP[static_cast<size_t>(i)];
      if (record.complete() && (!inUseOnly || record.s_Alias != KM::noneMark)) return i;
    }
    return -1;
  };
  const qint64 inUse = firstComplete(true);
  const qint64 chosen = inUse >= 0 ? inUse : firstComplete(false);
  if (chosen < 0) return;
  KM::ActivatePalette(chosen);
  if (storeUsable() && failed != -1) SystemLog::write(kOtherCurrentLogLine.arg(failed).arg(chosen));
}
}  // namespace

App::App(int& argc, char** argv) : QApplication(argc, argv) {
  running = this;
  // Quitting with the last window is turned on only once start-up has prepared the store.
  setQuitOnLastWindowClosed(false);
  connect(this, &QCoreApplication::aboutToQuit, this, &App::Event_Close);
}

App::~App() { running = nullptr; }

App& App::current() {
  if (!running) throw MissingObjectException(QStringLiteral("The application object does not exist."));
  return *running;
}

void App::SetVersionData() {
  setApplicationVersion(QStringLiteral("%1.%2.%3").arg(MajorVersion).arg(MinorVersion).arg(BugVersion));
  setProperty(StageCodeProperty, StageCode);
  setProperty(NonReleaseVersionProperty, NonReleaseVersion);
  setOrganizationName(CompanyName);
}

int App::Run(std::function<void()> createDefaultWindow) {
  QTimer::singleShot(0, this, [this, create = std::move(createDefaultWindow)] {
    Event_Open();
    if (startRefused) {
      exit(startExitCode_);
      return;
    }
    if (!create) {
      quit();
      return;
    }
    try {
      create();
    } catch (const std::exception& error) {
      exit(failProgramStart(error));
    }
  });
  TerminationSignals::install(this, [this] { QuitLikeTheMenu(); });
  return exec();
}

void App::QuitLikeTheMenu() {
  QuitRequest::closeAllWindows();
  for (const QWidget* window : topLevelWidgets())
    if (window->isVisible()) return;
  // Before start-up has turned on quitting with the last window, or with no window yet.
  quit();
}

void App::Event_Open() {
  // Checked before anything is made: a data folder under a path that does not survive being
  // read as text would be made beside the user's home.
  if (const std::optional<QByteArray> path = UserFolders::untextualPath()) {
    refuseStart(kPathNotText.arg(FolderItem::shownName(*path)), 1);
    return;
  }
  if (const std::optional<QByteArray> path = UserFolders::untextualSettingsPath()) {
    refuseStart(kSettingsPathNotText.arg(FolderItem::shownName(*path)), 1);
    return;
  }
  // A data folder that stands is locked before anything is changed, so that a start refused
  // because another Tavelin holds it changes nothing; one made here is locked once made.
  const bool dataFolderStood =
      UserFolders::applicationSupport().child(BundleInfo::identifier).entryStands();
  if (dataFolderStood && !LockDataFolder()) {
    refuseStart(kAlreadyRunning, 0);
    return;
  }
  // The data folders. A failure here is shown, and the steps after it still run, so that
  // the palette window always opens on a loaded store.
  guardedOops(kOpen, [&] { PrepareDataFolders(); }, kOpenLogLine);
  if (!dataFolderStood && !LockDataFolder()) {
    refuseStart(kAlreadyRunning, 0);
    return;
  }
  // Before any window shows or checks a picture folder; only the instance holding the data
  // folder may, since another's move may still be under way.
  guardedOops(kOpen, [&] { PutRightInterruptedMoves(); }, kOpenLogLine);
  HelpData::FillDictionaryFromHELP_TEXT();
  guardedOops(kOpen, [&] {
    setQuitOnLastWindowClosed(true);
    KM::paletteContentChange = false;
    KM::paletteActiveChange = false;
  }, kOpenLogLine);
  KM::MakeAlphabetShortcuts();
  KM::GetKM_DataFromDisk();
  KM::ActivatePalette(KM::idxCP);
  guardedOops(kOpen, [&] { TellWhatWasPutRight(); }, kOpenLogLine);
  guardedOops(kOpen, [] { ensureUsableStore(); }, kOpenLogLine);
}

void App::refuseStart(const QString& message, int exitCode) {
  startRefused = true;
  startExitCode_ = exitCode;
  Dialogs::messageBox(message);
}

void App::PrepareDataFolders() {
  const FolderItem support = UserFolders::applicationSupport();
  const QString& dataFolderName = BundleInfo::identifier;

  // The data folder under its older name: removed when the new one already exists and it
  // holds nothing, renamed when the new one does not exist. One that still holds files stays,
  // since they may be the user's older palettes and pictures.
  if (const FolderItem legacy = support.child(kLegacyFolderName);
      legacy.exists() && support.child(dataFolderName).exists()) {
    if (legacy.isFolder() && legacy.children().empty()) legacy.remove();
    else SystemLog::write(kLegacyKeptLogLine.arg(kLegacyFolderName, dataFolderName));
  }
  if (const FolderItem legacy = support.child(kLegacyFolderName);
      legacy.exists() && !support.child(dataFolderName).exists()) {
    // Only a folder (or a link to one, renamed as the link) can be the older data folder.
    if (legacy.isFolder()) FileTools::RenameFolder(support, kLegacyFolderName, dataFolderName, false);
    else SystemLog::write(kLegacyNoFolderLogLine.arg(kLegacyFolderName));
  }

  if (appSupportFolder.isNull()) {
    appSupportFolder = support.child(dataFolderName);
    appSupportFolder.createFolders();
  }

  if (const FolderItem obsolete = appSupportFolder.child(kObsoleteHelpDatabase); obsolete.exists())
    obsolete.remove();
}

void App::PutRightInterruptedMoves() {
  if (appSupportFolder.isNull()) return;
  MoveRecord::setDataFolder(appSupportFolder.fsPath());
  std::filesystem::path desktop;
  try {
    desktop = UserFolders::desktop().fsPath();
  } catch (const RuntimeException&) {
    // A Desktop that cannot be named holds nothing of a move's: records that name it are left.
  }
  // Without the lock another Tavelin's move may be under way: what waits is only told.
  recovered_ = holdsDataFolder_ ? MoveRecovery::recover(desktop) : MoveRecovery::describe(desktop);
}

void App::TellWhatWasPutRight() {
  MoveRecovery::Outcome outcome = std::move(recovered_);
  recovered_ = {};
  PaletteDeletion::finishInterrupted(outcome.deletions, outcome.putRight, outcome.stillLeft);
  QStringList parts;
  const auto part = [&](const QString& heading, const QStringList& lines, const QString& between) {
    if (!lines.isEmpty()) parts << heading + "\n\n" + lines.join(between);
  };
  part(kMovesPutRight, outcome.putRight, "\n\n");
  part(kMovesLeft, outcome.stillLeft, "\n\n");
  part(holdsDataFolder_ ? kRecordsLeftAlone : kMovesWaiting.arg(appSupportFolder.path()), outcome.notActedOn, "\n\n");
  part(kUnaccounted, outcome.unaccounted, "\n");
  if (!parts.isEmpty()) Dialogs::messageBox(parts.join("\n\n"));
}

bool App::LockDataFolder() {
  holdsDataFolder_ = false;
  const FolderItem folder = UserFolders::applicationSupport().child(BundleInfo::identifier);
  try {
    folder.createFolders();
  } catch (const RuntimeException&) {
    // The store's own loader reports a data folder that cannot be made.
  }
  switch (dataFolderLock_.take(folder.path() + "/" + kInstanceLockName)) {
    case InstanceLock::Result::Taken:
      holdsDataFolder_ = true;
      return true;
    case InstanceLock::Result::HeldElsewhere:
      return false;
    case InstanceLock::Result::Failed:
      break;
  }
  // A folder where no lock can be made cannot be shared safely either, but refusing to start
  // would lock the user out of their palettes.
  SystemLog::write(kNoLockLogLine.arg(folder.path()));
  return true;
}

void App::Event_Close() {}

std::jthread readFontDatabaseBeside() {
  return std::jthread([] { QFontDatabase::families(); });
}

int failProgramStart(const std::exception& error) {
  const QString what = QString::fromUtf8(error.what());
  SystemLog::write(kProgramStartLogLine.arg(what));
  if (QApplication::instance()) Dialogs::messageBox(kProgramStartMessage.arg(what));
  return 1;
}
