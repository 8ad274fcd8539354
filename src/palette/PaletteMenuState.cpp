#include "palette/PaletteMenuState.h"

#include <QAction>
#include <algorithm>

#include "common/DisplayText.h"
#include "common/RuntimeException.h"
#include "palette/MainMenuBar.h"
#include "store/KM.h"

namespace {
const QString kAliasGap = QStringLiteral("     ");

QString twoDigits(qint64 k) { return QStringLiteral("%1").arg(k, 2, 10, QLatin1Char('0')); }

bool isFreed(const PaletteRecord& record) {
  return record.s_Alias.compare(KM::noneMark, Qt::CaseInsensitive) == 0;
}
}  // namespace

PaletteMenuItems paletteMenuState(const std::vector<PaletteRecord>& palettes, qint64 idxCP) {
  const qint64 last = static_cast<qint64>(palettes.size()) - 1;
  PaletteMenuItems items;
  // Entry 00 is offered whenever slot 0 exists; with no palette at all there is nothing
  // to change to.
  items[0].enabled = last >= 0;
  for (qint64 k = 1; k <= 9; ++k) items[k].enabled = k <= last;
  for (qint64 k = 1; k <= std::min<qint64>(last, 9); ++k)
    if (isFreed(palettes.at(k))) items[k].enabled = false;
  if (idxCP >= 0 && idxCP <= 9) items[idxCP].enabled = false;
  for (qint64 k = 0; k <= std::min<qint64>(last, 9); ++k) {
    const PaletteRecord& record = palettes.at(k);
    if (!isFreed(record)) items[k].text = "P" + twoDigits(k) + kAliasGap + record.s_Alias;
  }
  return items;
}

QString paletteEntryName(int k) { return "miPalette" + twoDigits(k); }

void applyPaletteMenuState(MainMenuBar& bar, const PaletteMenuItems& items) {
  for (int k = 0; k < 10; ++k) {
    QAction* entry = bar.entry(paletteEntryName(k));
    if (!entry)
      throw MissingObjectException("The menu bar has no entry named " + paletteEntryName(k));
    entry->setEnabled(items[k].enabled);
    if (items[k].text) entry->setText(MainMenuBar::literalCaption(DisplayText::shown(*items[k].text)));
  }
}
