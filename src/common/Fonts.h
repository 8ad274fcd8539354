#pragma once

#include <QFont>
#include <QString>

// Text sizes are given in macOS points (72 per inch), which are pixels: fonts are made with
// pixel sizes so that they measure alike on every platform, and with a style hint so that a
// platform without the named face picks a similar one.
namespace Fonts {

// The platform's system font at the given size.
QFont system(int size, bool bold = false);
// A named face at the given size: "Helvetica" (sans-serif), or "Menlo" with QFont::Monospace.
QFont named(const QString& family, int size, QFont::StyleHint hint = QFont::SansSerif);

}  // namespace Fonts
