#include <signal.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <nlohmann/json.hpp>

#include "support/TestEnvironment.h"

namespace {

// The real program in its own process, with the test's HOME.
class RunningProgram {
 public:
  explicit RunningProgram(const QString& home) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home);
    env.insert("XDG_DATA_HOME", home + "/.local/share");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    process_.setProcessEnvironment(env);
    process_.setProgram(QStringLiteral(TAVELIN_BUNDLE_DIR) + "/MacOS/Tavelin");
    process_.start();
  }
  ~RunningProgram() {
    if (process_.state() != QProcess::NotRunning) {
      process_.kill();
      process_.waitForFinished();
    }
  }
  QProcess& process() { return process_; }

 private:
  QProcess process_;
};

}  // namespace

using TerminationSignalsTest = TavelinTest;

TEST_F(TerminationSignalsTest, TerminationSavesAsQuitDoes) {
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(signal);
    const QString data = homePath() + "/.local/share/com.orvane.tavelin";
    QDir(data).removeRecursively();
    RunningProgram program(homePath());
    ASSERT_TRUE(program.process().waitForStarted());
    // The palette window makes its picture folder as it opens.
    for (int i = 0; i < 500 && !QFileInfo(data + "/ButtonPictures").isDir(); ++i) QThread::msleep(20);
    ASSERT_TRUE(QFileInfo(data + "/ButtonPictures").isDir());
    QThread::msleep(200);

    ::kill(static_cast<pid_t>(program.process().processId()), signal);
    ASSERT_TRUE(program.process().waitForFinished(20000));
    EXPECT_EQ(program.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.process().exitCode(), 0);

    // A first run's palette, saved with the window's place, as a Quit saves it.
    const auto state = nlohmann::json::parse(readFile(data + "/PreserveState.txt").toStdString());
    ASSERT_EQ(state.size(), 102u);
    EXPECT_EQ(state.at(0).at("CurrentPalette"), 0);
    EXPECT_EQ(state.at(0).at("WinWidth"), 640);
    EXPECT_EQ(state.at(101).at("paleAlias"), "Original");
  }
}
