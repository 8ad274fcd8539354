// Time from process start to the first paint of the palette window (a 10 × 10 palette with
// 100 pictures of 64 × 64 pixels), against the same for an empty QMainWindow, the floor of
// any Qt Widgets program. Each sample is a fresh process of this program; the parent times
// it from just before the start until the child reports its first paint.
//
//   palette_first_paint [runs]      (default 15 runs of each, alternating)

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

#include "app/App.h"
#include "common/FileTypes.h"
#include "palette/MainMenuBar.h"
#include "palette/winMain.h"
#include "platform/SystemLog.h"

namespace {

const char* const kPainted = "painted";

// Reports on stdout once the widget's first paint has been carried out and the event loop is
// back, then ends the process.
class FirstPaint : public QObject {
 public:
  explicit FirstPaint(QWidget* watched) { watched->installEventFilter(this); }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && !seen_) {
      seen_ = true;
      QTimer::singleShot(0, [] {
        std::puts(kPainted);
        std::fflush(stdout);
        std::_Exit(0);
      });
    }
    return false;
  }

 private:
  bool seen_ = false;
};

int runEmptyWindow(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setCentralWidget(new QWidget);
  window.resize(640, 670);
  FirstPaint probe(window.centralWidget());
  window.show();
  return app.exec();
}

// The program's own start, as in main.cpp, with the palette window as the default window.
int runPalette(int argc, char** argv) {
  SystemLog::setSink([](const QString&) {});
  QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
  FileTypesCommon::Initialize();
  FileTypeJpgPng::Initialize();
  App app(argc, argv);
  app.SetVersionData();
  MainMenuBar::shared();
  std::unique_ptr<winMain> window;
  std::unique_ptr<FirstPaint> probe;
  return app.Run([&] {
    window = std::make_unique<winMain>();
    probe = std::make_unique<FirstPaint>(window->cnBut.back());
    window->show();
  });
}

// A data folder whose first palette (10 × 10, made at start-up) has 100 pictures.
void preparePictures(const QString& home) {
#ifdef Q_OS_MACOS
  const QString data = home + "/Library/Application Support/com.orvane.tavelin";
#else
  const QString data = home + "/.local/share/com.orvane.tavelin";
#endif
  const QString pictures = data + "/ButtonPictures/P00";
  QDir().mkpath(pictures);
  for (int n = 0; n < 100; ++n) {
    QImage image(64, 64, QImage::Format_ARGB32);
    image.fill(QColor::fromHsv((n * 37) % 360, 200, 230));
    image.save(QStringLiteral("%1/%2.png").arg(pictures).arg(n, 2, 10, QLatin1Char('0')), "PNG");
  }
}

double sampleMs(const QString& mode, const QProcessEnvironment& env) {
  QProcess child;
  child.setProcessEnvironment(env);
  child.setProgram(QCoreApplication::applicationFilePath());
  child.setArguments({mode});
  child.setStandardErrorFile(QProcess::nullDevice());
  QElapsedTimer clock;
  clock.start();
  child.start();
  while (child.waitForReadyRead(10000)) {
    if (!child.readAll().contains(kPainted)) continue;
    const double ms = clock.nsecsElapsed() / 1e6;
    child.waitForFinished();
    return ms;
  }
  child.kill();
  child.waitForFinished();
  std::fprintf(stderr, "%s: no first paint\n", qPrintable(mode));
  std::exit(1);
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::string_view(argv[1]) == "--empty") return runEmptyWindow(argc, argv);
  if (argc > 1 && std::string_view(argv[1]) == "--palette") return runPalette(argc, argv);

  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
  QCoreApplication app(argc, argv);
  QTemporaryDir home;
  preparePictures(home.path());

  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("HOME", home.path());
  for (const char* var : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"}) env.remove(var);
#ifndef Q_OS_MACOS
  if (!env.contains("DISPLAY") && !env.contains("WAYLAND_DISPLAY") && !env.contains("QT_QPA_PLATFORM"))
    env.insert("QT_QPA_PLATFORM", "offscreen");
#endif

  // One warm-up of each so that both find the libraries in the page cache.
  sampleMs("--empty", env);
  sampleMs("--palette", env);
  std::vector<double> empty, palette;
  for (int i = 0; i < runs; ++i) {
    empty.push_back(sampleMs("--empty", env));
    palette.push_back(sampleMs("--palette", env));
  }
  // The minimum is the figure least disturbed by other work on the machine.
  const double eMin = *std::min_element(empty.begin(), empty.end());
  const double pMin = *std::min_element(palette.begin(), palette.end());
  const double eMed = median(empty), pMed = median(palette);
  std::printf("platform %s, %d runs each, process start to first paint (minimum, median):\n",
              qPrintable(env.value("QT_QPA_PLATFORM", "the desktop's own")), runs);
  std::printf("  empty QMainWindow          %7.1f ms %7.1f ms\n", eMin, eMed);
  std::printf("  palette 10 x 10, 100 pics  %7.1f ms %7.1f ms\n", pMin, pMed);
  std::printf("  ratio                      %7.2f    %7.2f    (goal <= 1.50)\n", pMin / eMin, pMed / eMed);
  return 0;
}
