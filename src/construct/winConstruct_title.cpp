// The Grid Construct window's title field: cleaned as it is typed and shown on the palette
// window at once.
#include <algorithm>

#include "common/ErrorGuard.h"
#include "common/TextCleanup.h"
#include "construct/ConstructTexts.h"
#include "construct/winConstruct.h"
#include "store/KM.h"

using namespace ConstructTexts;

void winConstruct::tfWinTitle_TextChange() {
  guarded(control(QStringLiteral("tfWinTitle"), QStringLiteral("TextChange")), [&] {
    const QString settled = TextCleanup::titleSettled(tfWinTitle->text());
    if (settled != tfWinTitle->text()) {
      // The write comes back here and finds nothing left to change; the caret stays about
      // where the user was typing.
      const int caret = tfWinTitle->cursorPosition();
      tfWinTitle->setText(settled);
      tfWinTitle->setCursorPosition(std::min(caret, static_cast<int>(settled.size())));
    }
    const QString title = tfWinTitle->text();
    paletteWindow().setPaletteTitle(title);
    KM::paleWinTitle = title;
    KM::paletteContentChange = true;
  });
}

void winConstruct::tfWinTitle_LostFocus() {
  // Leaving the field changes nothing: every change has been taken as it was typed.
}
