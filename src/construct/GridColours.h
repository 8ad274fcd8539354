#pragma once

#include <QColor>

#include "store/Btn.h"

// The colours by which the Grid Construct window shows each button's state.
namespace GridColours {

inline const QColor kInvisible(0xCD, 0xFF, 0xF2);
inline const QColor kHasInfo(0xFF, 0xDE, 0xD2);
inline const QColor kHasTip(0xF1, 0xDF, 0xFF);
inline const QColor kPlain(0xFF, 0xFF, 0xFF);

inline const QColor kLetterShown(0xDC, 0x6E, 0x00);
inline const QColor kLetterNotShown(0xC0, 0xC0, 0xC0);

// A cell's fill: invisible first, then information, then tip. A text of spaces is present.
QColor cellFill(const Btn& button);

// A cell's letter: whether the palette button draws it, whatever the shortcut is.
QColor shortcutLetter(bool shortcutShow);

// Whether button i lies within the palette's rows and columns.
bool insideGrid(qint64 i, qint64 rows, qint64 columns);

// Border and number colours: black inside the grid, greyed outside. Fill and letter are
// left to the rules above.
struct Edge {
  QColor border;
  QColor number;
};
Edge edge(bool inside);

}  // namespace GridColours
