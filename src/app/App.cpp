#include "app/App.h"

#include "common/RuntimeException.h"

namespace {
App* running = nullptr;
}

App::App(int& argc, char** argv) : QApplication(argc, argv) { running = this; }

App::~App() { running = nullptr; }

App& App::current() {
  if (!running) throw MissingObjectException(QStringLiteral("The application object does not exist."));
  return *running;
}
