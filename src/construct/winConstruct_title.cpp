// The Grid Construct window's title field: cleaned as it is typed and shown on the palette
// window at once.
#include "common/ErrorGuard.h"
#include "common/TitleField.h"
#include "construct/ConstructTexts.h"
#include "construct/winConstruct.h"
#include "store/KM.h"

using namespace ConstructTexts;

void winConstruct::tfWinTitle_TextChange() {
  guarded(control(QStringLiteral("tfWinTitle"), QStringLiteral("TextChange")), [&] {
    settleTitleField(*tfWinTitle);
    const QString title = tfWinTitle->text();
    KM::PaletteWindow().setPaletteTitle(title);
    KM::paleWinTitle = title;
    KM::paletteContentChange = true;
  });
}

void winConstruct::tfWinTitle_LostFocus() {
  // Leaving the field changes nothing: every change has been taken as it was typed.
}
