#include "store/KM.h"

// TEMPORARY: bodies follow; the declarations in KM.h are final.
namespace KM {

void MakeAlphabetShortcuts() {}
void CreateFirstPalette() {}
void DefaultValuesPalette(qint64) {}
void ActivatePalette(qint64) {}
void BreakBtnLinkToDP() { aBtn = std::make_shared<BtnArray>(); }
void SavePaletteToDP() {}
void ChangeToPalette(qint64) {}
void CreateNewPalette(const QString&) {}
qint64 IndexFromAlias(const QString&) { return -1; }
qint64 CountActivePalette() { return 0; }
QString sID_FromShortcut(const QString&) { return {}; }
std::optional<QString> JSON_CreateData() { return std::nullopt; }
bool JSON_ParseData(const QString&) { return false; }
void GetKM_DataFromDisk() {}
void resetToInitialValues() {}

}  // namespace KM
