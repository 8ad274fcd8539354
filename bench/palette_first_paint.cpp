// Time from process start to the first paint of the palette window (a 10 × 10 palette with
// 100 pictures of 64 × 64 pixels), against the same for an empty QMainWindow, the floor of
// any Qt Widgets program, and for a stock-widget peer showing the same content: a grid of
// 100 QLabels given the same pictures, a one-line strip and a menu bar of three menus.
// Then the same palette whose 100 pictures are 5000 × 5000 pixels: its time against the
// small pictures' and its peak memory. Each sample is a fresh process of this program; the
// parent times it from just before the start until the child reports its first paint, with
// the child's peak memory.
//
//   palette_first_paint [runs]      (default 15 runs of each, alternating)

#include <sys/resource.h>

#include <QApplication>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QMenuBar>
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
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("%s %ld\n", kPainted, usage.ru_maxrss);  // kilobytes
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

// What a stock Qt Widgets program shows for the same palette: one QLabel per button given
// QPixmap(path), a one-line strip and a menu bar of three menus.
int runPeer(int argc, char** argv, const QString& pictures) {
  QApplication app(argc, argv);
  QMainWindow window;
  for (const char* menu : {"Palette", "Configure", "Edit"}) window.menuBar()->addMenu(menu);
  auto* content = new QWidget;
  auto* grid = new QGridLayout(content);
  grid->setSpacing(0);
  grid->setContentsMargins(0, 0, 0, 0);
  QLabel* last = nullptr;
  for (int n = 0; n < 100; ++n) {
    auto* label = new QLabel;
    label->setFixedSize(64, 64);
    const QString path = QStringLiteral("%1/%2.png").arg(pictures).arg(n, 2, 10, QLatin1Char('0'));
    if (QFile::exists(path)) label->setPixmap(QPixmap(path));
    else label->setText(QString::number(n));
    grid->addWidget(label, n / 10, n % 10);
    last = label;
  }
  grid->addWidget(new QLabel(QStringLiteral("P00     Original")), 10, 0, 1, 10);
  window.setCentralWidget(content);
  FirstPaint probe(last);
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
  const std::jthread fontDatabase = readFontDatabaseBeside();
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

// A data folder whose first palette (10 × 10, made at start-up) has 100 pictures of
// side × side pixels; answers the picture folder.
QString preparePictures(const QString& home, int side) {
#ifdef Q_OS_MACOS
  const QString data = home + "/Library/Application Support/com.orvane.tavelin";
#else
  const QString data = home + "/.local/share/com.orvane.tavelin";
#endif
  const QString pictures = data + "/ButtonPictures/P00";
  QDir().mkpath(pictures);
  const auto name = [&](int n) { return QStringLiteral("%1/%2.png").arg(pictures).arg(n, 2, 10, QLatin1Char('0')); };
  if (side <= 64) {
    for (int n = 0; n < 100; ++n) {
      QImage image(side, side, QImage::Format_ARGB32);
      image.fill(QColor::fromHsv((n * 37) % 360, 200, 230));
      image.save(name(n), "PNG");
    }
    return pictures;
  }
  // Small on disk, huge when decoded.
  QImage image(side, side, QImage::Format_Mono);
  image.fill(1);
  image.save(name(0), "PNG");
  for (int n = 1; n < 100; ++n) QFile::copy(name(0), name(n));
  return pictures;
}

struct Sample {
  double ms = 0;
  double peakMB = 0;
};

Sample sample(const QStringList& arguments, const QProcessEnvironment& env) {
  QProcess child;
  child.setProcessEnvironment(env);
  child.setProgram(QCoreApplication::applicationFilePath());
  child.setArguments(arguments);
  child.setStandardErrorFile(QProcess::nullDevice());
  QElapsedTimer clock;
  clock.start();
  child.start();
  QByteArray out;
  while (child.waitForReadyRead(60000)) {
    out += child.readAll();
    if (!out.contains('\n')) continue;
    const double ms = clock.nsecsElapsed() / 1e6;
    child.waitForFinished();
    const QList<QByteArray> words = out.trimmed().split(' ');
    return {ms, words.value(1).toDouble() / 1024.0};
  }
  child.kill();
  child.waitForFinished();
  std::fprintf(stderr, "%s: no first paint\n", qPrintable(arguments.join(' ')));
  std::exit(1);
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}



struct Series {
  const char* label;
  QStringList arguments;
  QProcessEnvironment env;
  std::vector<Sample> samples;

  double minMs() const {
    double m = samples.front().ms;
    for (const Sample& s : samples) m = std::min(m, s.ms);
    return m;
  }
  double medianMs() const {
    std::vector<double> v;
    for (const Sample& s : samples) v.push_back(s.ms);
    return median(v);
  }
  double peakMB() const {
    double m = 0;
    for (const Sample& s : samples) m = std::max(m, s.peakMB);
    return m;
  }
};

QProcessEnvironment environmentWithHome(const QString& home) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("HOME", home);
  for (const char* var : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"}) env.remove(var);
#ifndef Q_OS_MACOS
  if (!env.contains("DISPLAY") && !env.contains("WAYLAND_DISPLAY") && !env.contains("QT_QPA_PLATFORM"))
    env.insert("QT_QPA_PLATFORM", "offscreen");
#endif
  return env;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view mode = argc > 1 ? argv[1] : "";
  if (mode == "--empty") return runEmptyWindow(argc, argv);
  if (mode == "--palette") return runPalette(argc, argv);
  if (mode == "--peer" && argc > 2) return runPeer(argc, argv, QString::fromLocal8Bit(argv[2]));

  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
  QCoreApplication app(argc, argv);
  QTemporaryDir smallHome, bigHome;
  const QString smallPictures = preparePictures(smallHome.path(), 64);
  preparePictures(bigHome.path(), 5000);
  const QProcessEnvironment smallEnv = environmentWithHome(smallHome.path());
  const QProcessEnvironment bigEnv = environmentWithHome(bigHome.path());

  std::vector<Series> series = {
      {"empty QMainWindow", {"--empty"}, smallEnv, {}},
      {"stock-widget peer", {"--peer", smallPictures}, smallEnv, {}},
      {"palette, 100 pictures 64 x 64", {"--palette"}, smallEnv, {}},
      {"palette, 100 pictures 5000 x 5000", {"--palette"}, bigEnv, {}},
  };
  // One warm-up of each so that all find the libraries and files in the page cache.
  for (Series& s : series) sample(s.arguments, s.env);
  for (int i = 0; i < runs; ++i)
    for (Series& s : series) s.samples.push_back(sample(s.arguments, s.env));

  std::printf("platform %s, %d runs each, process start to first paint (minimum, median, peak memory):\n",
              qPrintable(smallEnv.value("QT_QPA_PLATFORM", "the desktop's own")), runs);
  for (const Series& s : series)
    std::printf("  %-36s %7.1f ms %7.1f ms %7.1f MB\n", s.label, s.minMs(), s.medianMs(), s.peakMB());
  const Series &empty = series[0], &peer = series[1], &palette = series[2], &big = series[3];
  std::printf("  palette / stock-widget peer          %7.2f    %7.2f       (goal <= 1.00)\n",
              palette.minMs() / peer.minMs(), palette.medianMs() / peer.medianMs());
  std::printf("  palette / empty window               %7.2f    %7.2f       (goal <= 1.50 under X11)\n",
              palette.minMs() / empty.minMs(), palette.medianMs() / empty.medianMs());
  std::printf("  5000-pixel / 64-pixel pictures       %7.2f    %7.2f       (goal <= 2.00, peak < 100 MB)\n",
              big.minMs() / palette.minMs(), big.medianMs() / palette.medianMs());
  return 0;
}
