#include "manage/winDeletePalette.h"

#include "common/DisplayText.h"
#include "common/ErrorGuard.h"
#include "common/HelpButton.h"
#include "help/HelpData.h"
#include "manage/ManageControls.h"
#include "manage/PaletteDeletion.h"
#include "platform/KeyModifiers.h"
#include "store/KM.h"

namespace {

const QString kTitle = QStringLiteral("Delete Palette");
const QString kCancel = QStringLiteral("Cancel");
const QString kDelete = QStringLiteral("Delete");
const QString kAliasLaidOut = QStringLiteral("Alias");
const QString kTitleLaidOut = QStringLiteral("Title");
const QString kInformation = QStringLiteral(
    "When a palette is deleted, as a precaution, a copy of its pictures is placed on the Desktop in case they "
    "might be needed in the future and in case the user has not already saved them elsewhere. The now unused "
    "Name/ID will be available to be assigned to future palettes.\n\n"
    "The macros in Keyboard Maestro are left untouched and would have to be modified or removed in that "
    "program as appropriate.");

constexpr qint64 kHelpId = 1;

const QString kWindow = QStringLiteral("winDeletePalette");
const auto kOpen = ReportLocation::windowEvent(kWindow, QStringLiteral("Open"));
const auto kCancelAction = ReportLocation::controlEvent(kWindow, QStringLiteral("pbCancel"), QStringLiteral("Action"));
const auto kDeleteAction = ReportLocation::controlEvent(kWindow, QStringLiteral("pbDelete"), QStringLiteral("Action"));
const auto kHelpAction = ReportLocation::controlEvent(kWindow, QStringLiteral("pbHelpDelPal"), QStringLiteral("Action"));

}  // namespace

void winDeletePalette::OpenModal() {
  winDeletePalette window;
  window.Event_Open();
  ModalSeam::run(window);
}

winDeletePalette::winDeletePalette() : PreviewWindow(kWindow, kTitle) {
  using namespace ManageControls;
  pbCancel = pushButton(this, kCancel, {279, 360, 80, 20});
  pbDelete = pushButton(this, kDelete, {400, 360, 80, 20});
  labNameAlias = plainLabel(this, kAliasLaidOut, {110, 220, 150, 20});
  labWindowTitle = plainLabel(this, kTitleLaidOut, {110, 250, 150, 20});
  pbHelpDelPal = makeHelpButton(this, {465, 10, 25, 25});
  labInfo = information(this, kInformation, {259, 57, 221, 236});
  labInfo->setEnabled(false);

  setTabOrder(pbCancel, pbDelete);
  setTabOrder(pbDelete, pbHelpDelPal);

  connect(pbCancel, &QPushButton::clicked, this, &winDeletePalette::pbCancel_Action);
  connect(pbDelete, &QPushButton::clicked, this, &winDeletePalette::pbDelete_Action);
  connect(pbHelpDelPal, &QPushButton::clicked, this, &winDeletePalette::pbHelpDelPal_Action);
  clearDefaultButtons(*this);
}

void winDeletePalette::Event_Open() {
  guarded(kOpen, [&] {
    pbDelete->setEnabled(PaletteDeletion::allowed());
    loadPreview();
    labNameID->setText(DisplayText::shown(KM::paleName));
    labNameAlias->setText(DisplayText::shown(KM::paleAlias));
    labWindowTitle->setText(DisplayText::shown(KM::paleWinTitle));
  });
}

void winDeletePalette::pbDelete_Action() {
  guarded(kDeleteAction, [&] {
    if (PaletteDeletion::confirmAndDelete()) close();
  });
}

void winDeletePalette::pbCancel_Action() {
  guarded(kCancelAction, [&] { close(); });
}

void winDeletePalette::pbHelpDelPal_Action() {
  guarded(kHelpAction, [] {
    if (!KeyModifiers::controlKey()) HelpData::ShowHelp(kHelpId);
  });
}
