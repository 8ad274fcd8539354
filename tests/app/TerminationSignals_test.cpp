#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <nlohmann/json.hpp>

#include "support/TestEnvironment.h"

namespace {

// The real program in its own process, with the test's HOME; its standard error goes to
// errorOutput where one is given.
class RunningProgram {
 public:
  explicit RunningProgram(const QString& home, int errorOutput = -1) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home);
    env.insert("XDG_DATA_HOME", home + "/.local/share");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    if (errorOutput >= 0) {
      // Qt's own messages, many of them, as soon as it starts.
      env.insert("QT_LOGGING_RULES", "*.debug=true");
      process_.setChildProcessModifier([errorOutput] { ::dup2(errorOutput, STDERR_FILENO); });
    }
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

class TerminationSignalsTest : public TavelinTest {
 protected:
  // Starts the program, waits for its palette window, sends the signal and checks that it
  // ended as Quit ends it, having saved a first run's palette with the window's place.
  void expectSavedOn(int signal, int errorOutput = -1) {
    const QString data = homePath() + "/.local/share/com.orvane.tavelin";
    QDir(data).removeRecursively();
    RunningProgram program(homePath(), errorOutput);
    ASSERT_TRUE(program.process().waitForStarted());
    // The palette window makes its picture folder as it opens.
    for (int i = 0; i < 500 && !QFileInfo(data + "/ButtonPictures").isDir(); ++i) QThread::msleep(20);
    ASSERT_TRUE(QFileInfo(data + "/ButtonPictures").isDir());
    QThread::msleep(200);

    ::kill(static_cast<pid_t>(program.process().processId()), signal);
    ASSERT_TRUE(program.process().waitForFinished(20000));
    EXPECT_EQ(program.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.process().exitCode(), 0);

    const auto state = nlohmann::json::parse(readFile(data + "/PreserveState.txt").toStdString());
    ASSERT_EQ(state.size(), 102u);
    EXPECT_EQ(state.at(0).at("CurrentPalette"), 0);
    EXPECT_EQ(state.at(0).at("WinWidth"), 640);
    EXPECT_EQ(state.at(101).at("paleAlias"), "Original");
  }
};

}  // namespace

TEST_F(TerminationSignalsTest, TerminationSavesAsQuitDoes) {
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(signal);
    expectSavedOn(signal);
  }
}

// Started as "Tavelin 2>&1 | viewer" with the viewer closed or never reading, or from a
// terminal that stopped reading (a stalled remote session): its writes to standard error
// neither end nor hang the program.
TEST_F(TerminationSignalsTest, AStandardErrorWithoutAReaderNeitherEndsNorHangsTheProgram) {
  enum class Stream { PipeReaderGone, PipeNotRead, TerminalNotRead };
  for (const Stream stream : {Stream::PipeReaderGone, Stream::PipeNotRead, Stream::TerminalNotRead}) {
    SCOPED_TRACE(static_cast<int>(stream));
    // ends[0] is the reading end, never read (or closed at once); ends[1] the program's.
    int ends[2] = {-1, -1};
    if (stream == Stream::TerminalNotRead) {
      ends[0] = ::posix_openpt(O_RDWR | O_NOCTTY);
      ASSERT_GE(ends[0], 0);
      ASSERT_EQ(::grantpt(ends[0]), 0);
      ASSERT_EQ(::unlockpt(ends[0]), 0);
      ends[1] = ::open(::ptsname(ends[0]), O_RDWR | O_NOCTTY);
      ASSERT_GE(ends[1], 0);
    } else {
      ASSERT_EQ(::pipe(ends), 0);
    }
    if (stream == Stream::PipeReaderGone) {
      ::close(ends[0]);
      ends[0] = -1;
    }
    expectSavedOn(SIGTERM, ends[1]);
    for (const int fd : ends)
      if (fd >= 0) ::close(fd);
  }
}
