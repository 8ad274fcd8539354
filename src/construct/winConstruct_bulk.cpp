// The Grid Construct window's operations on all buttons at once.
#include "common/ErrorGuard.h"
#include "common/TextColour.h"
#include "construct/ConstructTexts.h"
#include "construct/GridColours.h"
#include "construct/GridEdits.h"
#include "construct/winConstruct.h"
#include "store/KM.h"

using namespace ConstructTexts;

void winConstruct::pbAssignShortcuts_Action() {
  guarded(control(QStringLiteral("pbAssignShortcuts"), QStringLiteral("Action")), [&] {
    AssignShortcut();
    BlankOutEditButton();
    KM::paletteContentChange = true;
  });
}

void winConstruct::pbAssignNoShortcut_Action() {
  guarded(control(QStringLiteral("pbAssignNoShortcut"), QStringLiteral("Action")), [&] {
    AssignNoShortcut();
    BlankOutEditButton();
    KM::paletteContentChange = true;
  });
}

void winConstruct::AssignShortcut() {
  guarded(method(QStringLiteral("AssignShortcut")), [&] {
    GridEdits::assignShortcuts(*KM::aBtn, KM::numRows, KM::numColumns, KM::aAlphabetShortcut);
    showShortcuts();
  });
}

void winConstruct::AssignNoShortcut() {
  guarded(method(QStringLiteral("AssignNoShortcut")), [&] {
    GridEdits::assignNoShortcut(*KM::aBtn);
    showShortcuts();
  });
}

// Leaves an open edit alone: its "Visible On Button" box keeps what it showed, and OK writes it.
void winConstruct::pbAllVisibleOnButton_Action() {
  guarded(control(QStringLiteral("pbAllVisibleOnButton"), QStringLiteral("Action")), [&] {
    const bool show = !visibleOnButton;
    for (qint64 i = 0; i < kCells; ++i) {
      buttonAt(i).ShortcutShow = show;
      setTextColour(*labSC.at(static_cast<size_t>(i)), GridColours::shortcutLetter(show));
    }
    visibleOnButton = show;
    pbAllVisibleOnButton->setText(show ? kAllInvisible : kAllVisible);
    pbAllVisibleOnButton->setToolTip(show ? kAllInvisibleTip : kAllVisibleTip);
    KM::paletteContentChange = true;
  });
}
