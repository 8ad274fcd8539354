#include "app/App.h"
#include "palette/MainMenuBar.h"
#include <exception>

#include "platform/Dialogs.h"
#include "platform/SystemLog.h"

int main(int argc, char* argv[]) {
  try {
    App app(argc, argv);
    // The one menu bar, complete before any window exists.
    MainMenuBar::shared();
    return 0;
  } catch (const std::exception& error) {
    // Last resort: every handler catches its own errors, so this is a bug.
    SystemLog::write(QStringLiteral("Exception - main: ") + QString::fromUtf8(error.what()));
    return 1;
  }
}
