#include <QGuiApplication>
#include <exception>
#include <memory>

#include "app/App.h"
#include "common/FileTypes.h"
#include "palette/MainMenuBar.h"
#include "palette/winMain.h"
#include "platform/StandardError.h"

// Program start, in this order; the framework then raises the Open event and, after it,
// creates the default window.
int main(int argc, char* argv[]) {
  StandardError::install();
  // Outside the try, so that the last resort can still show its message.
  std::unique_ptr<App> app;
  // The default window, declared after the application object so that it goes first.
  std::unique_ptr<winMain> palette;
  try {
    // Qt 6 always scales for high-resolution displays; fractional factors are kept as they are.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    FileTypesCommon::Initialize();
    FileTypeJpgPng::Initialize();
    app = std::make_unique<App>(argc, argv);
    const std::jthread fontDatabase = readFontDatabaseBeside();
    app->SetVersionData();
    // The one menu bar, complete before any window exists.
    MainMenuBar::shared();
    return app->Run([&] {
      palette = std::make_unique<winMain>();
      palette->show();
    });
  } catch (const std::exception& error) {
    // Every handler catches its own errors, so reaching this is a bug.
    return failProgramStart(error);
  }
}
