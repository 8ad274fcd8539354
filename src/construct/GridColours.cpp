#include "construct/GridColours.h"

namespace GridColours {

QColor cellFill(const Btn& button) {
  if (!button.Vis) return kInvisible;
  if (!button.Info.isEmpty()) return kHasInfo;
  if (!button.Tip.isEmpty()) return kHasTip;
  return kPlain;
}

QColor shortcutLetter(bool shortcutShow) { return shortcutShow ? kLetterShown : kLetterNotShown; }

bool insideGrid(qint64 i, qint64 rows, qint64 columns) { return i / 10 <= rows - 1 && i % 10 <= columns - 1; }

Edge edge(bool inside) {
  if (inside) return {QColor(0x00, 0x00, 0x00), QColor(0x00, 0x00, 0x00)};
  return {QColor(0xF0, 0xF0, 0xF0), QColor(0xE1, 0xE1, 0xE1)};
}

}  // namespace GridColours
