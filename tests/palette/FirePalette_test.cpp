#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <cstdio>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include "common/RuntimeException.h"
#include "palette/x_FirePalette.h"
#include "platform/ScriptRunner.h"
#include "support/TestEnvironment.h"

namespace {

// While it lives, the process's own error output goes into a file; text() reads it.
class ErrorOutputCapture {
 public:
  explicit ErrorOutputCapture(const QString& file) : file_(file) {
    std::fflush(stderr);
    // Not inherited: what a script leaves running must not keep the test runner's output open.
    saved_ = ::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0);
    const int fd = ::open(QFile::encodeName(file).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ::dup2(fd, STDERR_FILENO);
    ::close(fd);
  }
  ~ErrorOutputCapture() { restore(); }
  ErrorOutputCapture(const ErrorOutputCapture&) = delete;
  ErrorOutputCapture& operator=(const ErrorOutputCapture&) = delete;
  QByteArray text() {
    restore();
    return readFile(file_);
  }

 private:
  void restore() {
    if (saved_ < 0) return;
    std::fflush(stderr);
    ::dup2(saved_, STDERR_FILENO);
    ::close(saved_);
    saved_ = -1;
  }
  QString file_;
  int saved_ = -1;
};

// While it lives, the process's own error output goes into a pipe whose reader has gone, or
// into one that is full and never read.
class ErrorOutputPipe {
 public:
  explicit ErrorOutputPipe(bool readerGone) {
    std::fflush(stderr);
    saved_ = ::dup(STDERR_FILENO);
    if (::pipe(ends_) != 0) return;
    if (readerGone) {
      ::close(ends_[0]);
      ends_[0] = -1;
    } else {
      ::fcntl(ends_[1], F_SETFL, O_NONBLOCK);
      const QByteArray piece(4096, 'f');
      while (::write(ends_[1], piece.constData(), piece.size()) > 0) {
      }
      // A write from now on would wait for a reader that never comes.
      ::fcntl(ends_[1], F_SETFL, 0);
    }
    ::dup2(ends_[1], STDERR_FILENO);
  }
  ~ErrorOutputPipe() {
    ::dup2(saved_, STDERR_FILENO);
    for (const int fd : {saved_, ends_[0], ends_[1]})
      if (fd >= 0) ::close(fd);
  }
  ErrorOutputPipe(const ErrorOutputPipe&) = delete;
  ErrorOutputPipe& operator=(const ErrorOutputPipe&) = delete;

 private:
  int saved_ = -1;
  int ends_[2] = {-1, -1};
};

// A bundle in the test's HOME whose script records each of its arguments on one line.
class ScriptRunnerTest : public TavelinTest {
 protected:
  void SetUp() override {
    TavelinTest::SetUp();
#ifdef Q_OS_MACOS
    GTEST_SKIP() << "the scripts here are shell scripts; macOS runs the bundle's script through osascript";
#endif
    resources = homePath() + "/Tavelin.app/Contents/Resources";
  }
  void TearDown() override {
    ScriptRunner::setHandler({});
    TavelinTest::TearDown();
  }

  FolderItem script(const QByteArray& body) {
    const QString path = resources + "/FirePalette.scpt";
    writeFile(path, "#!/bin/sh\n" + body);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return FolderItem(path);
  }
  QString recorded() const { return QString::fromUtf8(readFile(resources + "/args.txt")); }

  QString resources;
};

}  // namespace

TEST_F(ScriptRunnerTest, FirePaletteRunsTheResourcesScriptTwoLevelsAboveTheExecutable) {
  QList<QPair<QString, QStringList>> calls;
  ScriptRunner::setHandler([&](const FolderItem& s, const QStringList& texts) { calls.append({s.path(), texts}); });

  x_FirePalette::FirePalette({"P05", "23"});
  x_FirePalette::FirePalette({"P05", "23"});

  // The executable's folder is MacOS inside the bundle; its parent holds Resources.
  const QString expected = QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../Resources/FirePalette.scpt");
  ASSERT_EQ(calls.size(), 2);  // nothing is remembered between calls
  EXPECT_EQ(calls[0].first.toStdString(), expected.toStdString());
  EXPECT_EQ(calls[0].second, (QStringList{"P05", "23"}));
  EXPECT_EQ(calls[1], calls[0]);
}

TEST_F(ScriptRunnerTest, RealScriptGetsEachTextAsOneArgumentWithoutAShell) {
  const FolderItem s = script("for a in \"$@\"; do printf '%s\\n' \"$a\"; done > \"$(dirname \"$0\")/args.txt\"\n");
  ScriptRunner::runProcess(s, {"P05", "23"});
  EXPECT_EQ(recorded(), "P05\n23\n");

  // Texts that a shell would split or expand arrive untouched.
  ScriptRunner::runProcess(s, {"P 0$HOME;x", "'2`3"});
  EXPECT_EQ(recorded(), "P 0$HOME;x\n'2`3\n");
}

TEST_F(ScriptRunnerTest, MissingFailingOrHungScriptRaisesAnError) {
  EXPECT_THROW(ScriptRunner::runProcess(FolderItem(resources + "/FirePalette.scpt"), {"P00", "00"}), IOException);

  try {
    ScriptRunner::runProcess(script("echo 'no macro' >&2; exit 3\n"), {"P00", "00"});
    ADD_FAILURE() << "a failing script passed";
  } catch (const IOException& e) {
    EXPECT_EQ(e.errorNumber(), 3);
    EXPECT_TRUE(e.message().contains("no macro")) << e.message().toStdString();
  }

  const FolderItem hung = script("sleep 30\n");
  QElapsedTimer clock;
  clock.start();
  EXPECT_THROW(ScriptRunner::runProcess(hung, {"P00", "00"}, 300), IOException);
  EXPECT_LT(clock.elapsed(), 10000);  // killed, not waited for
}

TEST_F(ScriptRunnerTest, StoppedScriptTakesItsChildrenAlongAndErrorOutputIsBounded) {
  // The script starts a child of its own and hangs.
  const FolderItem hung = script("sleep 30 &\necho $! > \"$(dirname \"$0\")/child.pid\"\nsleep 30\n");
  EXPECT_THROW(ScriptRunner::runProcess(hung, {"P00", "00"}, 500), IOException);
  const QByteArray child = readFile(resources + "/child.pid").trimmed();
  ASSERT_FALSE(child.isEmpty());
  // Gone, or a zombie waiting for its parent to collect it: no longer running either way.
  const auto running = [&] {
    const QByteArray stat = readFile("/proc/" + QString::fromLatin1(child) + "/stat");
    return !stat.isEmpty() && !stat.contains(") Z ");
  };
  for (int i = 0; i < 50 && running(); ++i) QThread::msleep(20);
  EXPECT_FALSE(running());

  // Megabytes on the error output: the report keeps only their end, and only their start
  // reaches the program's own error output.
  ErrorOutputCapture passedOn(homePath() + "/stderr.txt");
  try {
    ScriptRunner::runProcess(script("head -c 20000000 /dev/zero | tr '\\0' x >&2; echo ' the end' >&2; exit 4\n"),
                             {"P00", "00"}, 20000);
    ADD_FAILURE() << "a failing script passed";
  } catch (const IOException& e) {
    EXPECT_LT(e.message().size(), 5000);
    EXPECT_TRUE(e.message().endsWith("x the end")) << e.message().right(40).toStdString();
  }
  EXPECT_EQ(passedOn.text(), QByteArray(4096, 'x'));
}

// Started as "Tavelin 2>&1 | viewer" and the viewer closed, or not reading: a fired button
// still counts as done, and the program goes on.
TEST_F(ScriptRunnerTest, AScriptsErrorOutputPassedOnToNoReaderNeitherEndsNorHangsTheProgram) {
  const FolderItem talking = script("printf 'Tavelin: FirePalette %s %s\\n' \"$1\" \"$2\" >&2\n");
  for (const bool readerGone : {true, false}) {
    SCOPED_TRACE(readerGone ? "reader gone" : "reader not reading");
    const ErrorOutputPipe gone(readerGone);
    QElapsedTimer clock;
    clock.start();
    EXPECT_NO_THROW(ScriptRunner::runProcess(talking, {"P05", "23"}));
    EXPECT_LT(clock.elapsed(), 4000);
  }
}

TEST_F(ScriptRunnerTest, BundledPlaceholderLogsTheTwoTextsWithoutWaitingForTheLog) {
  const QString placeholder = QStringLiteral(TAVELIN_BUNDLE_DIR) + "/Resources/FirePalette.scpt";
  ASSERT_TRUE(QFileInfo(placeholder).isExecutable()) << placeholder.toStdString();

  // A stand-in logger first on PATH records what the placeholder logs, then waits as logger
  // does for a log service that is not reading.
  const QString bin = homePath() + "/bin";
  const QString logged = bin + "/logged";
  writeFile(bin + "/logger", "#!/bin/sh\nprintf '%s|' \"$@\" > \"" + QFile::encodeName(logged) + "\"\nexec sleep 60\n");
  QFile::setPermissions(bin + "/logger", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", QFile::encodeName(bin) + ":" + path);
  ErrorOutputCapture terminal(homePath() + "/stderr.txt");
  // The time limit guards against a hang: a script waiting for its logger fails there.
  EXPECT_NO_THROW(ScriptRunner::runProcess(FolderItem(placeholder), {"P05", "23"}));
  qputenv("PATH", path);

  const QByteArray expected = "-t|Tavelin|FirePalette P05 23|";
  for (int i = 0; i < 500 && readFile(logged) != expected; ++i) QThread::msleep(20);
  EXPECT_EQ(readFile(logged), expected);
  // Also where no log service takes the line: on the terminal the program was started from.
  EXPECT_EQ(terminal.text(), "Tavelin: FirePalette P05 23\n");
}
