#include "manage/PaletteCreation.h"

#include "common/TextCleanup.h"
#include "store/KM.h"

namespace PaletteCreation {

QString aliasFromText(const QString& fieldText) {
  return TextCleanup::withUniquenessSuffix(TextCleanup::newAlias(fieldText), KM::AllAliases());
}

bool createFromAliasText(const QString& fieldText) {
  const QString alias = aliasFromText(fieldText);
  // Asked before the store changes: a palette nobody can see is not worth creating.
  PaletteView& window = KM::PaletteWindow();
  if (!KM::CreateNewPaletteAndActivate(alias)) return false;
  KM::ShowCurrentPalette(window);
  return true;
}

}  // namespace PaletteCreation
