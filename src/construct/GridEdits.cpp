#include "construct/GridEdits.h"

#include <algorithm>

#include "common/PictureFile.h"
#include "common/RuntimeException.h"
#include "common/StringUtils.h"
#include "common/TextCleanup.h"
#include "construct/GridColours.h"
#include "store/KM.h"

namespace GridEdits {

QString trimmedCut(const QString& text, qsizetype count) {
  return TextCleanup::leftCharacters(text.trimmed(), count);
}

void giveShortcut(BtnArray& buttons, qsizetype i, const QString& shortcut) {
  Btn& button = buttons.at(static_cast<size_t>(i));
  if (button.Shortcut == shortcut) return;
  if (shortcut != KM::noneMark)
    for (Btn& other : buttons)
      if (other.Shortcut == shortcut) other.Shortcut = KM::noneMark;
  button.Shortcut = shortcut;
}

void assignShortcuts(BtnArray& buttons, qint64 rows, qint64 columns, const QStringList& alphabet) {
  assignNoShortcut(buttons);
  qsizetype k = 0;
  for (size_t j = 0; j < buttons.size() && k < alphabet.size(); ++j)
    if (GridColours::insideGrid(static_cast<qint64>(j), rows, columns)) buttons[j].Shortcut = alphabet.at(k++);
}

void assignNoShortcut(BtnArray& buttons) {
  for (Btn& button : buttons) button.Shortcut = KM::noneMark;
}

void setRowVisibility(BtnArray& buttons, qint64 row, bool visible) {
  if (row < 0 || row > 9) throw OutOfBoundsException(QStringLiteral("No row %1 in a palette.").arg(row));
  for (qint64 i = row * 10; i < row * 10 + 10; ++i) buttons.at(static_cast<size_t>(i)).Vis = visible;
}

bool allShortcutsShown(const BtnArray& buttons) {
  return std::all_of(buttons.begin(), buttons.end(), [](const Btn& b) { return b.ShortcutShow; });
}

QList<qint64> invisibleWithPicture(const QStringList& fileNames, const BtnArray& buttons) {
  QList<qint64> numbers;
  for (const QString& name : fileNames) {
    const std::optional<int> n = PictureFile::paletteButtonNumber(name);
    if (n && !buttons.at(static_cast<size_t>(*n)).Vis) numbers << *n;
  }
  return numbers;
}

}  // namespace GridEdits
