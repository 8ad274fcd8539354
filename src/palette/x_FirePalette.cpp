#include "palette/x_FirePalette.h"

#include <QCoreApplication>

#include "platform/ScriptRunner.h"

namespace x_FirePalette {

FolderItem scriptFile() {
  const FolderItem executable(QCoreApplication::applicationFilePath());
  return executable.parent().parent().child(QStringLiteral("Resources")).child(QStringLiteral("FirePalette.scpt"));
}

void FirePalette(const QStringList& p) { ScriptRunner::run(scriptFile(), p); }

}  // namespace x_FirePalette
