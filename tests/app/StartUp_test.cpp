#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <iterator>

#include "app/App.h"
#include "app/BundleInfo.h"
#include "common/FileTools.h"
#include "help/HelpData.h"
#include "manage/PaletteDeletion.h"
#include "palette/winMain.h"
#include "platform/InstanceLock.h"
#include "platform/MoveRecord.h"
#include "platform/UserFolders.h"
#include "store/KM.h"
#include "store/StoreFixture.h"
#include "support/MoveFaults.h"
#include "support/TestEnvironment.h"

namespace {

// The text of a state file holding palettes with these aliases, the first one current.
QString stateFileText(const QStringList& aliases) {
  KM::resetToInitialValues();
  KM::MakeAlphabetShortcuts();
  KM::CreateFirstPalette();
  for (qsizetype i = 1; i < aliases.size(); ++i) KM::CreateNewPalette(aliases[i]);
  KM::DP.at(0).s_Alias = aliases.at(0);
  KM::idxCP = 0;
  RecordingView view;
  view.top = 100;
  view.left = 200;
  view.height = 670;
  view.width = 640;
  KM::paletteView = &view;
  const std::optional<QString> text = KM::JSON_CreateData();
  KM::paletteView = nullptr;
  KM::resetToInitialValues();
  EXPECT_TRUE(text.has_value());
  return text.value_or(QString());
}

class StartUpTest : public TavelinTest {
 protected:
  void SetUp() override {
    TavelinTest::SetUp();
    freshRun();
  }

  // The program's state as a new run starts it; the files stay unless asked.
  void freshRun(bool clearFiles = false) {
    if (clearFiles) QDir(support()).removeRecursively();
    logLines.clear();
    messages.clear();
    KM::resetToInitialValues();
    HelpData::helpDict.reset();
    App::current().appSupportFolder = FolderItem();
    App::current().setQuitOnLastWindowClosed(false);
  }

  QString support() const { return UserFolders::applicationSupport().path(); }
  QString legacy() const { return support() + "/Tavelins"; }
  QString data() const { return support() + "/" + BundleInfo::identifier; }

  static bool exists(const QString& path) { return QFileInfo::exists(path); }

  // Delete Palette's move of the folder to a Desktop on another file system, killed in the
  // middle of its copy.
  void killedInTheCopy(const QString& folder) {
    QDir().mkpath(homePath() + "/Desktop/DeletedPalettePictures");
    int writes = 0;
    ScopedMoveFault fault([&](EntryMove::Step step, const std::filesystem::path& from, const std::filesystem::path& to) {
      if (step == EntryMove::Step::Write && ++writes == 2) throw Killed{};
      return acrossFileSystems(step, from, to);
    });
    EXPECT_THROW(FolderItem(folder).tryMoveInto(FolderItem(homePath() + "/Desktop/DeletedPalettePictures"), "P01"),
                 Killed);
  }

  // What every completed start-up leaves, whatever the folders were.
  void expectCompleted() {
    EXPECT_EQ(App::current().appSupportFolder, FolderItem(data()));
    EXPECT_TRUE(QFileInfo(data()).isDir());
    ASSERT_TRUE(HelpData::helpDict.has_value());
    EXPECT_EQ(HelpData::helpDict->size(), 6u);
    EXPECT_TRUE(App::current().quitOnLastWindowClosed());
    EXPECT_EQ(KM::aAlphabetShortcut.size(), 52);
    // A usable store: a valid current palette with its buttons and mirrors.
    ASSERT_GE(KM::idxCP, 0);
    ASSERT_LT(KM::idxCP, static_cast<qint64>(KM::DP.size()));
    EXPECT_EQ(KM::aBtn, KM::DP.at(static_cast<size_t>(KM::idxCP)).a_Btn);
    EXPECT_EQ(KM::aBtn->size(), 100u);
    EXPECT_EQ(KM::paleName, KM::DP.at(static_cast<size_t>(KM::idxCP)).s_Name);
    EXPECT_FALSE(KM::paletteActiveChange);
  }
};

}  // namespace

TEST_F(StartUpTest, FolderSituations) {
  struct Case {
    const char* name;
    QStringList before;  // files to create, relative to the Application Support folder
    QStringList emptyFolders;
    QStringList after;  // must exist afterwards
    QStringList gone;   // must not exist afterwards
    int logLines;
    QString alias;  // of the current palette: "Original" is a new first palette
  };
  const QString id = BundleInfo::identifier;
  const QByteArray saved = stateFileText({"Saved"}).toUtf8();
  const Case cases[] = {
      {"no folders", {}, {}, {id}, {"Tavelins"}, 0, "Original"},
      {"only the legacy folder", {"Tavelins/PreserveState.txt", "Tavelins/ButtonPictures/P00/07_mail.png"}, {},
       {id + "/PreserveState.txt", id + "/ButtonPictures/P00/07_mail.png"}, {"Tavelins"}, 0, "Saved"},
      {"both, legacy empty", {id + "/PreserveState.txt"}, {"Tavelins"}, {id + "/PreserveState.txt"},
       {"Tavelins"}, 0, "Saved"},
      {"both, legacy holds files", {id + "/PreserveState.txt", "Tavelins/PreserveState.txt"}, {},
       {id + "/PreserveState.txt", "Tavelins/PreserveState.txt"}, {}, 1, "Saved"},
      {"obsolete help database", {id + "/Help_Tavelins.sqlite", id + "/keep.txt"}, {}, {id + "/keep.txt"},
       {id + "/Help_Tavelins.sqlite"}, 0, "Original"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    freshRun(true);
    for (const QString& f : c.before)
      writeFile(support() + "/" + f, f.endsWith("PreserveState.txt") ? saved : QByteArray("x"));
    for (const QString& d : c.emptyFolders) QDir().mkpath(support() + "/" + d);

    App::current().Event_Open();

    expectCompleted();
    for (const QString& f : c.after) EXPECT_TRUE(exists(support() + "/" + f)) << f.toStdString();
    for (const QString& f : c.gone) EXPECT_FALSE(exists(support() + "/" + f)) << f.toStdString();
    EXPECT_EQ(logLines.size(), c.logLines) << logLines.join("|").toStdString();
    EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
    EXPECT_EQ(KM::paleAlias, c.alias);
    // Only a new first palette is a change that the first close must save.
    EXPECT_EQ(KM::paletteContentChange, c.alias == "Original");
  }
}

TEST_F(StartUpTest, SecondStartReadsTheStateFileWithoutChanges) {
  App::current().Event_Open();
  EXPECT_TRUE(KM::paletteContentChange);
  writeFile(data() + "/PreserveState.txt", stateFileText({"Original", "Work"}).toUtf8());

  freshRun();
  App::current().Event_Open();
  expectCompleted();
  EXPECT_FALSE(KM::paletteContentChange);
  EXPECT_EQ(KM::DP.size(), 2u);
  EXPECT_EQ(KM::idxCP, 0);
  EXPECT_EQ(KM::paleAlias, "Original");
  EXPECT_EQ(KM::initialWinTop, 100);
  EXPECT_TRUE(messages.isEmpty());
  EXPECT_TRUE(logLines.isEmpty());
}

TEST_F(StartUpTest, NoDataFolderStillOpensOnAFirstPalette) {
  // The Application Support folder is a file: neither start-up nor the store can make the
  // data folder, and nothing can be loaded.
  writeFile(support(), "not a folder");

  App::current().Event_Open();

  EXPECT_EQ(messages.value(0), "Oops! App.Open\nEVENT HANDLER: App\nEVENT NAME: Opening\nTYPE: IOException");
  EXPECT_TRUE(logLines.contains("Exception - KM.GetKM_DataFromDisk"));
  ASSERT_EQ(KM::DP.size(), 1u);
  EXPECT_EQ(KM::idxCP, 0);
  EXPECT_EQ(KM::aBtn, KM::DP.at(0).a_Btn);
  EXPECT_EQ(KM::aBtn->size(), 100u);
  EXPECT_EQ(KM::paleName, "P00");
  EXPECT_TRUE(App::current().quitOnLastWindowClosed());
  EXPECT_EQ(readFile(support()), "not a folder");
}

TEST_F(StartUpTest, FailureInTheFolderStepsStillPreparesTheRest) {
  // A folder where the obsolete help database should be cannot be removed as a file.
  writeFile(data() + "/Help_Tavelins.sqlite/inside.txt", "x");

  App::current().Event_Open();

  EXPECT_EQ(messages, QStringList{"Oops! App.Open\nEVENT HANDLER: App\nEVENT NAME: Opening\nTYPE: IOException"});
  EXPECT_EQ(logLines, QStringList{"Exception: App: Opening"});
  expectCompleted();
  EXPECT_TRUE(exists(data() + "/Help_Tavelins.sqlite/inside.txt"));
}

TEST_F(StartUpTest, DefaultWindowFollowsStartUpAndItsCloseEndsTheApplication) {
  App& app = App::current();
  app.SetVersionData();
  EXPECT_EQ(QApplication::applicationVersion(), "1.0.0");
  EXPECT_EQ(app.property("StageCode"), QVariant("final"));
  EXPECT_EQ(app.property("NonReleaseVersion"), QVariant(32));
  EXPECT_EQ(QApplication::organizationName(), "Orvane");

  // Without a default window the run ends after start-up.
  EXPECT_EQ(app.Run({}), 0);
  expectCompleted();

  freshRun(true);
  bool preparedFirst = false;
  QTimer guard;  // a hang fails the test instead of blocking it
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, &app, [&] { app.exit(2); });
  guard.start(10000);
  const int code = app.Run([&] {
    preparedFirst = HelpData::helpDict.has_value() && !app.appSupportFolder.isNull();
    auto* window = new QWidget;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    QTimer::singleShot(0, window, &QWidget::close);
  });
  EXPECT_EQ(code, 0);
  EXPECT_TRUE(preparedFirst);
}

TEST_F(StartUpTest, StepsThatRemoveOrRenameNeverActThroughALink) {
  struct Case {
    const char* name;
    std::function<void(const QString& outside)> prepare;
    QStringList linksGone;  // entries of the Application Support folder removed or renamed as links
    int logLines;
  };
  const QString id = BundleInfo::identifier;
  const Case cases[] = {
      {"help database linked to a user's file",
       [&](const QString& outside) {
         QDir().mkpath(data());
         QFile::link(outside + "/notes.txt", data() + "/Help_Tavelins.sqlite");
       },
       {id + "/Help_Tavelins.sqlite"}, 0},
      {"legacy folder linked to an empty folder elsewhere",
       [&](const QString& outside) {
         QDir().mkpath(data());
         QFile::link(outside + "/empty", legacy());
       },
       {"Tavelins"}, 0},
      {"legacy name on a plain file, no data folder",
       [&](const QString&) { writeFile(legacy(), "a user's file"); }, {}, 1},
      {"state file linked to a folder of the user's",
       [&](const QString& outside) {
         QDir().mkpath(data());
         QFile::link(outside, data() + "/PreserveState.txt");
       },
       {id + "/PreserveState.txt"}, 2},  // the reader's and the loader's reports
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    freshRun(true);
    const QString outside = homePath() + "/Documents";
    QDir(outside).removeRecursively();
    writeFile(outside + "/notes.txt", "keep me");
    QDir().mkpath(outside + "/empty");
    c.prepare(outside);

    App::current().Event_Open();

    expectCompleted();
    EXPECT_EQ(readFile(outside + "/notes.txt"), "keep me");
    EXPECT_TRUE(QFileInfo(outside + "/empty").isDir());
    EXPECT_EQ(QDir(outside).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), (QStringList{"empty", "notes.txt"}));
    for (const QString& link : c.linksGone)
      EXPECT_FALSE(QFileInfo(support() + "/" + link).isSymLink()) << link.toStdString();
    if (c.linksGone.isEmpty()) {
      EXPECT_EQ(readFile(legacy()), "a user's file");
    }
    EXPECT_EQ(logLines.size(), c.logLines) << logLines.join("|").toStdString();
  }
}

TEST_F(StartUpTest, SecondInstanceOnTheSameDataFolderChangesNothing) {
  QDir().mkpath(data());
  const QByteArray saved = stateFileText({"Saved"}).toUtf8();
  writeFile(data() + "/PreserveState.txt", saved);
  // What a start that goes on would clear away.
  writeFile(data() + "/Help_Tavelins.sqlite", "old help");
  QDir().mkpath(legacy());
  InstanceLock running;  // as the first instance holds it
  ASSERT_EQ(running.take(data() + "/.Tavelin.lock"), InstanceLock::Result::Taken);

  bool windowMade = false;
  EXPECT_EQ(App::current().Run([&] { windowMade = true; }), 0);

  EXPECT_FALSE(windowMade);
  EXPECT_TRUE(App::current().startRefused);
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].startsWith("Tavelin is already running with these palettes."));
  EXPECT_TRUE(KM::DP.empty());
  EXPECT_EQ(readFile(data() + "/PreserveState.txt"), saved);
  EXPECT_EQ(readFile(data() + "/Help_Tavelins.sqlite"), "old help");
  EXPECT_TRUE(QFileInfo(legacy()).isDir());
  App::current().startRefused = false;
}

// A home whose path is not valid UTF-8 would be read as another folder beside it, and the
// palettes kept there: start-up says so before it makes anything.
TEST_F(StartUpTest, AHomeWhosePathIsNotTextGetsNothingBesideIt) {
  const QByteArray parent = QFile::encodeName(homePath()) + "/users";
  const QByteArray home = parent + "/ren\xe9";
  QDir().mkpath(QFile::decodeName(parent));
  ASSERT_EQ(::mkdir(home.constData(), 0700), 0);
  qputenv("HOME", home);
  qunsetenv("XDG_DATA_HOME");

  bool windowMade = false;
  EXPECT_EQ(App::current().Run([&] { windowMade = true; }), 1);

  EXPECT_FALSE(windowMade);
  ASSERT_EQ(messages.size(), 1);
  EXPECT_EQ(messages[0], "Tavelin cannot use the folder " + QFile::decodeName(parent) +
                             "/ren\\xE9: its path is not valid UTF-8 text, so Tavelin would keep its palettes in "
                             "another folder beside it. Tavelin closes without creating or changing anything.");
  EXPECT_TRUE(KM::DP.empty());
  // Nothing beside the home folder, which Qt could not list.
  const std::filesystem::directory_iterator listing{std::filesystem::path(parent.toStdString())};
  EXPECT_EQ(std::distance(begin(listing), end(listing)), 1);
  EXPECT_EQ(::rmdir(home.constData()), 0) << "the home folder stays empty";
  App::current().startRefused = false;
}

// Folder settings under a path that is not text would hide the Desktop set there, and
// another be made: start-up says so before it makes anything.
TEST_F(StartUpTest, FolderSettingsWhosePathIsNotTextStopTheStart) {
  const QByteArray config = QFile::encodeName(homePath()) + "/conf\xe9";
  qputenv("XDG_CONFIG_HOME", config);
  const QStringList before = QDir(homePath()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);

  bool windowMade = false;
  EXPECT_EQ(App::current().Run([&] { windowMade = true; }), 1);

  EXPECT_FALSE(windowMade);
  EXPECT_EQ(messages, QStringList{"Tavelin cannot use the folder " + homePath() +
                                  "/conf\\xE9, which holds your folder settings: its path is not valid UTF-8 text, "
                                  "so Tavelin would not find the Desktop set there and would make another one. "
                                  "Tavelin closes without creating or changing anything."});
  EXPECT_EQ(QDir(homePath()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), before);
  EXPECT_FALSE(exists(data()));
  App::current().startRefused = false;
}

// Delete Palette to a Desktop on another file system, the program killed in the middle of the
// copy: the next start puts the palette's pictures back, before anything looks at them, and
// says so.
TEST_F(StartUpTest, AMoveStoppedByAKillIsPutRightAtTheNextStart) {
  App::current().Event_Open();
  const QString folder = data() + "/ButtonPictures/P01";
  writeFile(folder + "/05Face.png", QByteArray(200000, 'p'));
  writeFile(folder + "/07Mail.png", "mail");
  const QString desktopCopy = homePath() + "/Desktop/DeletedPalettePictures/P01";
  QDir().mkpath(homePath() + "/Desktop/DeletedPalettePictures");
  killedInTheCopy(folder);
  EXPECT_FALSE(exists(folder));

  freshRun();
  App::current().Event_Open();

  expectCompleted();
  EXPECT_EQ(messages, QStringList{"Tavelin was stopped, last time, before it had finished moving some files. It has "
                                  "put this right:\n\n" + folder + " is back where it was."});
  EXPECT_EQ(readFile(folder + "/05Face.png"), QByteArray(200000, 'p'));
  EXPECT_EQ(readFile(folder + "/07Mail.png"), "mail");
  EXPECT_EQ(QDir(homePath() + "/Desktop/DeletedPalettePictures").entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList{});
  EXPECT_EQ(QDir(data() + "/ButtonPictures").entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
            QStringList{"P01"});

  // Put right once: the start after it says nothing.
  freshRun();
  App::current().Event_Open();
  EXPECT_TRUE(messages.isEmpty());
}

// Where the data folder cannot be locked, another Tavelin may be in the middle of a move: its
// records are left alone until a start holds the folder, and the user is told where the
// entries wait.
TEST_F(StartUpTest, WithoutTheLockNoRecordIsActedOn) {
  const QString folder = data() + "/ButtonPictures/P01";
  writeFile(folder + "/05Face.png", QByteArray(200000, 'p'));
  QDir().mkpath(homePath() + "/Desktop/DeletedPalettePictures");
  MoveRecord::setDataFolder(std::filesystem::path(data().toStdString()));
  killedInTheCopy(folder);
  const QStringList records = QDir(data() + "/MovesInProgress").entryList(QDir::Files);
  ASSERT_EQ(records.size(), 1);
  const QStringList picturesBefore = QDir(data() + "/ButtonPictures").entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
  // No lock file can be made where a folder has its name.
  QDir().mkpath(data() + "/.Tavelin.lock");

  App::current().Event_Open();

  expectCompleted();
  const QString sent = homePath() + "/Desktop/DeletedPalettePictures/P01";
  EXPECT_EQ(messages, QStringList{"Tavelin cannot lock its data folder " + data() +
                                  ", so it does not put right the moves that were stopped before they had finished: "
                                  "another Tavelin may be making them. Each entry stays where it is until a start "
                                  "that can lock the folder puts it right:\n\n" + folder + " was being moved to " + sent +
                                  ". These entries under Tavelin's own names stay where they are: " + folder +
                                  ".tavelin-moving, " + sent + ".tavelin-copy."});
  EXPECT_EQ(QDir(data() + "/MovesInProgress").entryList(QDir::Files), records);
  EXPECT_EQ(QDir(data() + "/ButtonPictures").entryList(QDir::AllEntries | QDir::NoDotAndDotDot), picturesBefore);
  EXPECT_FALSE(exists(folder));

  QDir().rmdir(data() + "/.Tavelin.lock");
  freshRun();
  App::current().Event_Open();
  EXPECT_EQ(messages, QStringList{"Tavelin was stopped, last time, before it had finished moving some files. It has "
                                  "put this right:\n\n" + folder + " is back where it was."});
  EXPECT_EQ(readFile(folder + "/05Face.png"), QByteArray(200000, 'p'));
}

// Delete Palette stopped by a kill: after the next start the palette list and the folders
// agree. Pictures that had left the palette's folder mean the palette is deleted, and stays
// deleted until a save says so; pictures still in it mean the palette is kept.
TEST_F(StartUpTest, ADeleteStoppedByAKillLeavesThePaletteListAndTheFoldersAgreeing) {
  const QString folder = data() + "/ButtonPictures/P01";
  const QString sent = homePath() + "/Desktop/DeletedPalettePictures/P01";
  const QString putRight = "Tavelin was stopped, last time, before it had finished moving some files. It has put this right:\n\n";
  const QString deleted = "The palette P01 (Work) is deleted, as you asked before Tavelin was stopped. Its pictures are at " +
                          sent + ".";
  struct Case {
    const char* name;
    EntryMove::Step killAt;  // the first such step of the move, or Note for no kill in the move
    bool across;
    QString told;
  };
  const Case cases[] = {
      {"across file systems, killed while the palette's folder was removed after its copy had its name",
       EntryMove::Step::Remove, true, putRight + folder + " has been moved as asked: it is now " + sent + ".\n\n" + deleted},
      {"within one file system, killed once the folder had been moved", EntryMove::Step::Note, false, putRight + deleted},
      {"across file systems, killed in the copy", EntryMove::Step::Write, true,
       putRight + folder + " is back where it was.\n\nThe palette P01 (Work) is not deleted: Tavelin was stopped before "
                           "its pictures had left " + folder + ", so the palette and its pictures are kept."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    freshRun(true);
    QDir(homePath() + "/Desktop").removeRecursively();
    writeFile(data() + "/PreserveState.txt", stateFileText({"Original", "Work"}).toUtf8());
    writeFile(folder + "/05Face.png", QByteArray(200000, 'p'));
    writeFile(folder + "/07Mail.png", "mail");
    App::current().Event_Open();
    {
      ScopedMoveFault fault([&](EntryMove::Step step, const std::filesystem::path& from, const std::filesystem::path& to) {
        if (step == c.killAt && c.killAt != EntryMove::Step::Note) throw Killed{};
        return c.across ? acrossFileSystems(step, from, to) : 0;
      });
      try {
        PaletteDeletion::clearPictureFolder(App::current().appSupportFolder, FolderItem(homePath() + "/Desktop"), "P01");
      } catch (const Killed&) {
      }
    }
    const bool gone = c.killAt != EntryMove::Step::Write;

    // Killed again before any save: each start agrees with the folders, and frees the slot again.
    for (int start = 0; start < 2; ++start) {
      freshRun();
      App::current().Event_Open();
      EXPECT_EQ(messages, QStringList{start == 0 ? c.told : putRight + deleted});
      EXPECT_EQ(KM::DP.at(1).s_Alias, gone ? KM::noneMark : "Work");
      EXPECT_EQ(KM::paletteActiveChange, gone);
      EXPECT_EQ(readFile((gone ? sent : folder) + "/05Face.png"), QByteArray(200000, 'p'));
      EXPECT_EQ(exists(folder), !gone);
      EXPECT_EQ(exists(sent), gone);
      if (!gone) break;
    }
    if (!gone) continue;

    // The palette window's close saves the list without the palette: nothing is left to put right.
    freshRun();
    EXPECT_EQ(App::current().Run([] {
      auto* window = new winMain;
      window->setAttribute(Qt::WA_DeleteOnClose);
      window->show();
      QTimer::singleShot(0, window, &QWidget::close);
    }), 0);
    freshRun();
    App::current().Event_Open();
    EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
    EXPECT_EQ(KM::DP.at(1).s_Alias, KM::noneMark);
    EXPECT_FALSE(exists(data() + "/MovesInProgress"));
  }
}

namespace {

// What the palette window's close does to save the palettes, in the run that holds them.
void saveAsAtQuit() {
  RecordingView view;
  KM::paletteView = &view;
  KM::SavePaletteToDP();
  const std::optional<QString> text = KM::JSON_CreateData();
  KM::paletteView = nullptr;
  ASSERT_TRUE(text.has_value());
  FileTools::writeWholeFile(App::current().appSupportFolder.child(KM::stateFileName), *text, true);
  MoveRecord::stateSaved();
}

}  // namespace

// A deletion's record acts only on the palettes it was written against: once a save has
// written the list after it, a record put back (restored from a copy, or left by a kill
// between the save and its removal) never deletes the palette made since in the freed slot.
TEST_F(StartUpTest, ADeletionsRecordNeverActsAfterTheSaveThatFollowedIt) {
  writeFile(data() + "/PreserveState.txt", stateFileText({"Original", "Beta"}).toUtf8());
  const QString folder = data() + "/ButtonPictures/P01";
  writeFile(folder + "/05Face.png", "face");
  App::current().Event_Open();
  KM::ActivatePalette(1);
  PaletteDeletion::clearPictureFolder(App::current().appSupportFolder, FolderItem(homePath() + "/Desktop"), "P01");
  PaletteDeletion::freeSlot(1);
  // Its record, copied as the deletion left it, awaiting the save.
  const QStringList kept = QDir(data() + "/MovesInProgress").entryList(QDir::Files);
  ASSERT_EQ(kept.size(), 1);
  QFile::copy(data() + "/MovesInProgress/" + kept[0], homePath() + "/record-copy.txt");
  KM::CreateNewPalette("Delta");
  KM::DP.at(1).a_Btn->at(3).Tip = "Delta's own tip";
  KM::paletteContentChange = true;
  saveAsAtQuit();
  ASSERT_TRUE(exists(homePath() + "/record-copy.txt"));
  EXPECT_FALSE(exists(data() + "/MovesInProgress"));
  QDir().mkpath(data() + "/MovesInProgress");
  QFile::copy(homePath() + "/record-copy.txt", data() + "/MovesInProgress/move-1.txt");

  freshRun();
  App::current().Event_Open();

  expectCompleted();
  EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
  EXPECT_EQ(KM::DP.at(1).s_Alias, "Delta");
  EXPECT_EQ(KM::DP.at(1).a_Btn->at(3).Tip, "Delta's own tip");
  EXPECT_FALSE(exists(data() + "/MovesInProgress"));
  EXPECT_EQ(readFile(homePath() + "/Desktop/DeletedPalettePictures/P01/05Face.png"), "face");
}

// A save stopped after its new file was written, before it took the state file's name: the
// palettes stay as last saved, and the next start removes what the save left.
TEST_F(StartUpTest, WhatASaveStoppedHalfWayLeftIsRemovedAtTheNextStart) {
  App::current().Event_Open();
  saveAsAtQuit();
  const QByteArray saved = readFile(data() + "/PreserveState.txt");
  KM::paleAlias = "Renamed";
  KM::paletteContentChange = true;
  {
    ScopedMoveFault fault([](EntryMove::Step step, const std::filesystem::path&, const std::filesystem::path& to) {
      if (step == EntryMove::Step::Rename && to.filename() == "PreserveState.txt") throw Killed{};
      return 0;
    });
    EXPECT_THROW(saveAsAtQuit(), Killed);
  }
  const QString left = data() + "/PreserveState.txt.tavelin-save";
  ASSERT_TRUE(exists(left));

  freshRun();
  App::current().Event_Open();

  expectCompleted();
  EXPECT_EQ(messages, QStringList{"Tavelin was stopped, last time, before it had finished moving some files. It has put "
                                  "this right:\n\nAn unfinished save of the palettes was left at " + left +
                                  "; it has been removed, and the palettes are as they were last saved."});
  EXPECT_FALSE(exists(left));
  EXPECT_EQ(readFile(data() + "/PreserveState.txt"), saved);
  EXPECT_EQ(KM::paleAlias, "Original");
  EXPECT_FALSE(exists(data() + "/MovesInProgress"));
}

// The lock file and the folder of the records are the program's own: through a link there,
// start-up neither makes a lock file elsewhere nor reads, acts on or removes what it finds.
TEST_F(StartUpTest, TheLockAndTheRecordsAreNeverReachedThroughALink) {
  const QString outside = homePath() + "/elsewhere";
  const QString folder = data() + "/ButtonPictures/P01";
  writeFile(folder + "/05Face.png", QByteArray(200000, 'p'));
  MoveRecord::setDataFolder(std::filesystem::path(data().toStdString()));
  killedInTheCopy(folder);
  // The records, moved elsewhere, beside a file of the user's named like one.
  QDir().rename(data() + "/MovesInProgress", outside);
  writeFile(outside + "/move-5.txt", "");
  QFile::link(outside, data() + "/MovesInProgress");
  QFile::link(homePath() + "/lock", data() + "/.Tavelin.lock");
  const auto listing = [&] { return QDir(outside).entryList(QDir::Files); };
  const QStringList before = listing();
  const QByteArray record = readFile(outside + "/move-1.txt");

  App::current().Event_Open();

  expectCompleted();
  EXPECT_EQ(listing(), before);
  EXPECT_EQ(readFile(outside + "/move-1.txt"), record);
  EXPECT_FALSE(QFileInfo::exists(homePath() + "/lock"));
  EXPECT_TRUE(QFileInfo(data() + "/MovesInProgress").isSymLink());
  ASSERT_EQ(messages.size(), 1);
  EXPECT_TRUE(messages[0].contains(data() + "/MovesInProgress, the folder of these records, cannot be read: it is a "
                                             "link, and Tavelin reads its records only in a folder of its own."))
      << messages[0].toStdString();
  EXPECT_TRUE(logLines.contains("App: Opening: could not lock " + data() + ", so a second Tavelin is not kept out"));

  // No record of the save can be kept there, and the palettes are saved all the same.
  KM::paleAlias = "Renamed";
  KM::paletteContentChange = true;
  saveAsAtQuit();
  EXPECT_TRUE(readFile(data() + "/PreserveState.txt").contains("Renamed"));
  EXPECT_EQ(listing(), before);
}

// A move's record names the Desktop it was made for: once the user's settings name another,
// the next start still puts it right where its entries are.
TEST_F(StartUpTest, AMoveIsPutRightOnTheDesktopItWasMadeFor) {
  App::current().Event_Open();
  const QString folder = data() + "/ButtonPictures/P01";
  writeFile(folder + "/05Face.png", QByteArray(200000, 'p'));
  killedInTheCopy(folder);
  const QString deleted = homePath() + "/Desktop/DeletedPalettePictures";
  ASSERT_EQ(QDir(deleted).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList{"P01.tavelin-copy"});
  setDesktopFolder(homePath() + "/Schreibtisch");

  freshRun();
  App::current().Event_Open();

  EXPECT_EQ(messages, QStringList{"Tavelin was stopped, last time, before it had finished moving some files. It has "
                                  "put this right:\n\n" + folder + " is back where it was."});
  EXPECT_EQ(readFile(folder + "/05Face.png"), QByteArray(200000, 'p'));
  EXPECT_EQ(QDir(deleted).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList{});
}

// A deletion's record that cannot be removed once the palette is shown kept: what was put
// right is still told, and the record is named for the next start.
TEST_F(StartUpTest, ARecordThatCannotBeRemovedCostsNoneOfWhatIsTold) {
  writeFile(data() + "/PreserveState.txt", stateFileText({"Original", "Work"}).toUtf8());
  const QString folder = data() + "/ButtonPictures/P01";
  writeFile(folder + "/05Face.png", QByteArray(200000, 'p'));
  App::current().Event_Open();
  {
    int writes = 0;
    ScopedMoveFault fault([&](EntryMove::Step step, const std::filesystem::path& from, const std::filesystem::path& to) {
      if (step == EntryMove::Step::Write && ++writes == 2) throw Killed{};
      return acrossFileSystems(step, from, to);
    });
    EXPECT_THROW(PaletteDeletion::clearPictureFolder(App::current().appSupportFolder, FolderItem(homePath() + "/Desktop"), "P01"),
                 Killed);
  }
  const QStringList records = QDir(data() + "/MovesInProgress").entryList(QDir::Files);
  ASSERT_EQ(records.size(), 1);

  freshRun();
  {
    ScopedMoveFault fault([](EntryMove::Step step, const std::filesystem::path& from, const std::filesystem::path&) {
      return step == EntryMove::Step::Remove && from.parent_path().filename() == "MovesInProgress" ? EIO : 0;
    });
    App::current().Event_Open();
  }

  expectCompleted();
  EXPECT_EQ(messages, QStringList{"Tavelin was stopped, last time, before it had finished moving some files. It has put "
                                  "this right:\n\n" + folder + " is back where it was.\n\nThe palette P01 (Work) is not "
                                  "deleted: Tavelin was stopped before its pictures had left " + folder +
                                  ", so the palette and its pictures are kept.\n\nSome files that Tavelin was moving when "
                                  "it was stopped are not yet where they belong:\n\nCould not remove the record " + data() +
                                  "/MovesInProgress/" + records[0] + ": Input/output error."});
  EXPECT_EQ(KM::DP.at(1).s_Alias, "Work");
  EXPECT_EQ(readFile(folder + "/05Face.png"), QByteArray(200000, 'p'));
}
