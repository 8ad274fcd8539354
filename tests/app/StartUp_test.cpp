#include <QApplication>
#include <QDir>
#include <QTimer>
#include <QWidget>

#include "app/App.h"
#include "app/BundleInfo.h"
#include "help/HelpData.h"
#include "platform/SpecialFolders.h"
#include "store/KM.h"
#include "support/TestEnvironment.h"

namespace {

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

  QString support() const { return SpecialFolders::applicationSupport().path(); }
  QString legacy() const { return support() + "/Tavelins"; }
  QString data() const { return support() + "/" + BundleInfo::identifier; }

  static bool exists(const QString& path) { return QFileInfo::exists(path); }

  // What every completed start-up leaves, whatever the folders were.
  void expectCompleted() {
    EXPECT_EQ(App::current().appSupportFolder, FolderItem(data()));
    EXPECT_TRUE(QFileInfo(data()).isDir());
    ASSERT_TRUE(HelpData::helpDict.has_value());
    EXPECT_EQ(HelpData::helpDict->size(), 6u);
    EXPECT_TRUE(App::current().quitOnLastWindowClosed());
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
  };
  const QString id = BundleInfo::identifier;
  const Case cases[] = {
      {"no folders", {}, {}, {id}, {"Tavelins"}, 0},
      {"only the legacy folder", {"Tavelins/ButtonPictures/P00/07_mail.png"}, {},
       {id + "/ButtonPictures/P00/07_mail.png"}, {"Tavelins"}, 0},
      {"both, legacy empty", {id + "/keep.txt"}, {"Tavelins"}, {id + "/keep.txt"}, {"Tavelins"}, 0},
      {"both, legacy holds files", {id + "/keep.txt", "Tavelins/ButtonPictures/P00/07_old.png"}, {},
       {id + "/keep.txt", "Tavelins/ButtonPictures/P00/07_old.png"}, {}, 1},
      {"obsolete help database", {id + "/Help_Tavelins.sqlite", id + "/keep.txt"}, {}, {id + "/keep.txt"},
       {id + "/Help_Tavelins.sqlite"}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    freshRun(true);
    for (const QString& f : c.before) writeFile(support() + "/" + f, "x");
    for (const QString& d : c.emptyFolders) QDir().mkpath(support() + "/" + d);

    App::current().Event_Open();

    expectCompleted();
    for (const QString& f : c.after) EXPECT_TRUE(exists(support() + "/" + f)) << f.toStdString();
    for (const QString& f : c.gone) EXPECT_FALSE(exists(support() + "/" + f)) << f.toStdString();
    EXPECT_EQ(logLines.size(), c.logLines) << logLines.join("|").toStdString();
    EXPECT_TRUE(messages.isEmpty()) << messages.join("|").toStdString();
  }
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
