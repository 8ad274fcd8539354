#include "support/TestEnvironment.h"

#include <sys/resource.h>

#include <csignal>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QWidget>

#include "platform/Dialogs.h"
#include "platform/MoveRecord.h"
#include "platform/SystemLog.h"

namespace {
const char* const kXdgVariables[] = {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME",
                                     "XDG_STATE_HOME", "XDG_DESKTOP_DIR"};
}

void TavelinTest::SetUp() {
  home_ = std::make_unique<QTemporaryDir>();
  ASSERT_TRUE(home_->isValid());
  const QByteArray home = QFile::encodeName(home_->path());
  savedHome_ = qgetenv("HOME");
  qputenv("HOME", home);
  for (const char* var : kXdgVariables) qunsetenv(var);
  qputenv("XDG_CONFIG_HOME", home + "/.config");
  qputenv("XDG_DATA_HOME", home + "/.local/share");
  qputenv("XDG_CACHE_HOME", home + "/.cache");
  QDir().mkpath(home_->path() + "/Desktop");
  // No record of an earlier test's moves: a test that starts the program, or sets a data
  // folder of its own, has its moves keep their records there.
  MoveRecord::setDataFolder({});

  SystemLog::setSink([this](const QString& line) { logLines << line; });
  Dialogs::setMessageBoxHandler([this](const QString& text) { messages << text; });
  Dialogs::setBeepHandler([this] { ++beeps; });
}

void TavelinTest::TearDown() {
  for (QWidget* w : QApplication::topLevelWidgets()) w->close();
  QApplication::processEvents();
  MoveRecord::setDataFolder({});
  SystemLog::setSink({});
  Dialogs::setMessageBoxHandler({});
  Dialogs::setBeepHandler({});
  qputenv("HOME", savedHome_);
  home_.reset();
}

QString TavelinTest::homePath() const { return home_->path(); }

void writeFile(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
  f.write(bytes);
}

void setDesktopFolder(const QString& path) { setDesktopFolder(QFile::encodeName(path)); }

void setDesktopFolder(const QByteArray& rawPath) {
  writeFile(QFile::decodeName(qgetenv("XDG_CONFIG_HOME")) + "/user-dirs.dirs", "XDG_DESKTOP_DIR=\"" + rawPath + "\"\n");
}

QByteArray setDesktopNotText() {
  const QByteArray raw = qgetenv("HOME") + "/B\xfcro";
  setDesktopFolder(QByteArray("$HOME/B\xfcro"));
  return raw;
}

QByteArray readFile(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return f.readAll();
}

FileSizeLimit::FileSizeLimit(qint64 bytes) {
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  savedCurrent_ = static_cast<qint64>(limit.rlim_cur);
  limit.rlim_cur = static_cast<rlim_t>(bytes);
  setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
  rlimit limit{};
  getrlimit(RLIMIT_FSIZE, &limit);
  limit.rlim_cur = static_cast<rlim_t>(savedCurrent_);
  setrlimit(RLIMIT_FSIZE, &limit);
}
