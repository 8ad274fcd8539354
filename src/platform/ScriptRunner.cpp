#include "platform/ScriptRunner.h"

#include <signal.h>

#include <QDeadlineTimer>
#include <QProcess>

#include "common/RuntimeException.h"
#include "platform/StandardError.h"

namespace ScriptRunner {
namespace {
Handler& handler() {
  static Handler h;
  return h;
}

// Only so much of a script's error output is kept and passed on, however much it writes.
constexpr qsizetype kKeptErrorOutput = 4096;

// Keeps the end of the script's error output for a report, and passes its start on to the
// program's own, so that a terminal the program was started from shows what the script said.
class ErrorOutput {
 public:
  void take(const QByteArray& more) {
    if (passedOn_ < kKeptErrorOutput && !more.isEmpty()) {
      const QByteArray part = more.left(kKeptErrorOutput - passedOn_);
      StandardError::write(part);
      passedOn_ += part.size();
    }
    tail_ += more;
    if (tail_.size() > kKeptErrorOutput) tail_ = tail_.right(kKeptErrorOutput);
  }
  const QByteArray& tail() const { return tail_; }

 private:
  QByteArray tail_;
  qsizetype passedOn_ = 0;
};

// The script leads a process group of its own, so at the time limit its children end with it.
void endGroup(QProcess& process) {
  if (const qint64 pid = process.processId(); pid > 0) ::kill(-static_cast<pid_t>(pid), SIGKILL);
  process.kill();
  process.waitForFinished(1000);
}
}  // namespace

void run(const FolderItem& script, const QStringList& texts) {
  if (handler()) {
    handler()(script, texts);
    return;
  }
  runProcess(script, texts);
}

void runProcess(const FolderItem& script, const QStringList& texts, int timeLimitMs) {
  const QString path = script.path();
  QProcess process;
#ifdef Q_OS_MACOS
  process.setProgram(QStringLiteral("/usr/bin/osascript"));
  process.setArguments(QStringList{path} + texts);
#else
  process.setProgram(path);
  process.setArguments(texts);
#endif
  process.setStandardInputFile(QProcess::nullDevice());
  process.setStandardOutputFile(QProcess::nullDevice());
  process.setChildProcessModifier([] {
    ::setpgid(0, 0);
    // An ignored signal stays ignored across exec: the script gets the defaults back.
    ::signal(SIGPIPE, SIG_DFL);
    ::signal(SIGTTOU, SIG_DFL);
  });
  const QDeadlineTimer deadline(timeLimitMs);
  process.start();
  if (!process.waitForStarted(static_cast<int>(deadline.remainingTime())))
    throw IOException(QStringLiteral("The script %1 could not be started: %2")
                          .arg(path, process.errorString()));
  ErrorOutput errors;
  // Read a piece at a time as it comes, so a script that writes without end cannot fill
  // the memory.
  process.setReadChannel(QProcess::StandardError);
  constexpr int kSliceMs = 50;
  while (process.state() != QProcess::NotRunning) {
    if (deadline.hasExpired()) {
      endGroup(process);
      throw IOException(QStringLiteral("The script %1 did not finish within %2 seconds and was stopped.")
                            .arg(path)
                            .arg(timeLimitMs / 1000.0));
    }
    if (!process.waitForReadyRead(kSliceMs) && process.state() != QProcess::NotRunning)
      process.waitForFinished(kSliceMs);  // its error output is closed: only wait
    errors.take(process.readAllStandardError());
  }
  errors.take(process.readAllStandardError());
  if (process.exitStatus() != QProcess::NormalExit)
    throw IOException(QStringLiteral("The script %1 stopped abnormally.").arg(path));
  if (process.exitCode() != 0)
    throw IOException(QStringLiteral("The script %1 failed (exit code %2). %3")
                          .arg(path)
                          .arg(process.exitCode())
                          .arg(QString::fromLocal8Bit(errors.tail()).trimmed()),
                      process.exitCode());
}

void setHandler(Handler h) { handler() = std::move(h); }

}  // namespace ScriptRunner
