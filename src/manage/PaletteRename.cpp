#include "manage/PaletteRename.h"

#include <optional>

#include "common/RuntimeException.h"
#include "common/TextCleanup.h"
#include "store/KM.h"

namespace {

PaletteRecord& currentRecord() {
  if (KM::idxCP < 0 || KM::idxCP >= static_cast<qint64>(KM::DP.size()))
    throw OutOfBoundsException(QStringLiteral("No current palette (slot %1).").arg(KM::idxCP));
  return KM::DP[static_cast<size_t>(KM::idxCP)];
}

bool sameText(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// The cleaned alias made unique, or nothing when the record already holds it.
std::optional<QString> newAliasFor(const QString& cleaned) {
  if (sameText(cleaned, currentRecord().s_Alias)) return std::nullopt;
  return TextCleanup::withUniquenessSuffix(cleaned, KM::AllAliases());
}

}  // namespace

namespace PaletteRename {

void acceptChange(const QString& aliasText, const QString& title) {
  PaletteView& window = KM::PaletteWindow();
  const std::optional<QString> alias = newAliasFor(TextCleanup::changedAlias(aliasText));
  if (!alias && sameText(title, KM::paleWinTitle)) return;
  if (alias) {
    KM::paleAlias = *alias;
    window.setTipText(*alias);
  }
  window.setPaletteTitle(title);
  KM::paleWinTitle = title;
  KM::paletteContentChange = true;
  KM::SavePaletteToDP();
}

void changeAlias(const QString& aliasText) {
  PaletteView& window = KM::PaletteWindow();
  const std::optional<QString> alias = newAliasFor(TextCleanup::newAlias(aliasText));
  if (!alias) return;
  currentRecord().s_Alias = *alias;
  KM::paleAlias = *alias;
  window.setTipText(*alias);
  KM::SavePaletteToDP();
  KM::ActivatePalette(KM::idxCP);
  KM::paletteActiveChange = true;
}

}  // namespace PaletteRename
