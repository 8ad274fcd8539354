#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "store/Btn.h"

// Changes the Grid Construct window makes to a palette's buttons, apart from its controls.
namespace GridEdits {

inline constexpr qsizetype kTipLength = 80;
inline constexpr qsizetype kInfoLength = 2000;

// Trimmed, then its first `count` characters: a space that ends up last stays.
QString trimmedCut(const QString& text, qsizetype count);

// Gives button i the shortcut: a letter is first taken from every holder of exactly that
// letter (another case is another letter); the none mark takes nothing. Nothing happens when
// the button already has it.
void giveShortcut(BtnArray& buttons, qsizetype i, const QString& shortcut);

// Every shortcut cleared, then the letters dealt out in order over the buttons inside the
// grid, row by row, until the alphabet is used up.
void assignShortcuts(BtnArray& buttons, qint64 rows, qint64 columns, const QStringList& alphabet);
void assignNoShortcut(BtnArray& buttons);

// The ten buttons of the row; the row must lie in 0 to 9.
void setRowVisibility(BtnArray& buttons, qint64 row, bool visible);

bool allShortcutsShown(const BtnArray& buttons);

// The button numbers of the picture files that belong to invisible buttons, in file order;
// names that do not begin with a button number are no picture of a button.
QList<qint64> invisibleWithPicture(const QStringList& fileNames, const BtnArray& buttons);

}  // namespace GridEdits
