#pragma once

#include <QStringList>

#include "platform/FolderItem.h"

// The program's one way out to Keyboard Maestro: the bundle's script, given the palette's
// Name/ID and the button's two-digit number.
namespace x_FirePalette {

// "FirePalette.scpt" in "Resources", two levels above the running executable.
FolderItem scriptFile();

// Runs the script with the two texts and waits for it. Catches nothing: a missing, failing
// or hung script raises an error that the caller reports under its own location.
void FirePalette(const QStringList& p);

}  // namespace x_FirePalette
