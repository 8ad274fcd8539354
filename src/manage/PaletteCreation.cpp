#include "manage/PaletteCreation.h"

#include "common/RuntimeException.h"
#include "common/TextCleanup.h"
#include "store/KM.h"

namespace PaletteCreation {

QString aliasFromText(const QString& fieldText) {
  return TextCleanup::withUniquenessSuffix(TextCleanup::newAlias(fieldText), KM::AllAliases());
}

bool createFromAliasText(const QString& fieldText) {
  const QString alias = aliasFromText(fieldText);
  // Asked before the store changes: a palette nobody can see is not worth creating.
  if (!KM::paletteView) throw MissingObjectException(QStringLiteral("The palette window is not open."));
  PaletteView& window = *KM::paletteView;
  if (!KM::CreateNewPaletteAndActivate(alias)) return false;
  window.EraseAllPictures();
  window.RedrawGrid();
  window.setPaletteTitle(KM::paleWinTitle);
  window.setTipText(alias);
  window.setNumberText(KM::paleName);
  return true;
}

}  // namespace PaletteCreation
