#include "platform/ScriptRunner.h"

#include <QProcess>

#include "common/RuntimeException.h"

namespace ScriptRunner {
namespace {
Handler& handler() {
  static Handler h;
  return h;
}

QString outputOf(QProcess& process) {
  return QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
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
  process.start();
  if (!process.waitForStarted(timeLimitMs))
    throw IOException(QStringLiteral("The script %1 could not be started: %2")
                          .arg(path, process.errorString()));
  if (!process.waitForFinished(timeLimitMs)) {
    process.kill();
    process.waitForFinished(1000);
    throw IOException(QStringLiteral("The script %1 did not finish within %2 seconds and was stopped.")
                          .arg(path)
                          .arg(timeLimitMs / 1000.0));
  }
  if (process.exitStatus() != QProcess::NormalExit)
    throw IOException(QStringLiteral("The script %1 stopped abnormally.").arg(path));
  if (process.exitCode() != 0)
    throw IOException(QStringLiteral("The script %1 failed (exit code %2). %3")
                          .arg(path)
                          .arg(process.exitCode())
                          .arg(outputOf(process)),
                      process.exitCode());
}

void setHandler(Handler h) { handler() = std::move(h); }

}  // namespace ScriptRunner
