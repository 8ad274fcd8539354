#pragma once

#include <QString>

// Texts from the state file or the file system as a window shows them. A hand-edited state
// file can hold a title of megabytes, which a window system refuses (X11 ends the program),
// so what is shown is cut; the stored text stays whole.
namespace DisplayText {

inline constexpr qsizetype kMaxShownCharacters = 1000;

// The text, or its first kMaxShownCharacters characters followed by "…".
QString shown(const QString& text);

// For a window title: shown(), with Qt's "[*]" placeholder written so that it shows as typed.
QString windowTitle(const QString& text);

}  // namespace DisplayText
