// Editing one button of the Grid Construct window: Idle (no button chosen), Chosen (loaded,
// unchanged) and Pending (changed; OK enabled, Done disabled).
#include "common/ErrorGuard.h"
#include "common/RuntimeException.h"
#include "common/TextColour.h"
#include "construct/ConstructTexts.h"
#include "construct/GridColours.h"
#include "construct/GridEdits.h"
#include "construct/winConstruct.h"
#include "store/KM.h"

using namespace ConstructTexts;

namespace {

// The cells name their control "<array> Set"; labBut's release names its event "Mouse Up".
ReportLocation cellLocation(const QString& array, const QString& event, const QString& eventLine) {
  return ReportLocation::custom(kWindow + "." + array + "." + event,
                                {"WINDOW: " + kWindow, "CONTROL: " + array + " Set", "EVENT: " + eventLine});
}

}  // namespace

bool winConstruct::rectGrid_MouseDown(int, int, int) {
  return guarded(cellLocation("rectGrid", "MouseDown", "MouseDown"), [] { return true; });
}
void winConstruct::rectGrid_MouseUp(int index, int, int) {
  guarded(cellLocation("rectGrid", "MouseUp", "MouseUp"), [&] { EditButton(index); });
}
bool winConstruct::labSC_MouseDown(int, int, int) {
  return guarded(cellLocation("labSC", "MouseDown", "MouseDown"), [] { return true; });
}
void winConstruct::labSC_MouseUp(int index, int, int) {
  guarded(cellLocation("labSC", "MouseUp", "MouseUp"), [&] { EditButton(index); });
}
bool winConstruct::labBut_MouseDown(int, int, int) {
  return guarded(cellLocation("labBut", "MouseDown", "MouseDown"), [] { return true; });
}
void winConstruct::labBut_MouseUp(int index, int, int) {
  guarded(cellLocation("labBut", "MouseUp", "Mouse Up"), [&] { EditButton(index); });
}

void winConstruct::EditButton(qint64 i) {
  guarded(method(QStringLiteral("EditButton")), [&] {
    const Btn& button = buttonAt(i);
    KM::idxCurrentBtn = i;
    labID->setText(twoDigits(i));
    labShortcut->setText(labSC.at(static_cast<size_t>(i))->text());
    // The picker shows the none mark but moves on from where it last stood.
    setTextColour(*ccShortcutUpDown->labValue, kPickerChosen);
    ccShortcutUpDown->labValue->setText(KM::noneMark);
    ccShortcutUpDown->udChangeVal->setEnabled(true);
    labShortcut->setVisible(true);
    setTextColour(*labShortcut, GridColours::shortcutLetter(button.ShortcutShow));
    tfTip->setText(button.Tip);
    taInfo->setPlainText(button.Info);
    tfTip->setEnabled(true);
    taInfo->setEnabled(true);
    cbVisibleBtn->setChecked(button.Vis);
    cbVisOnBtn->setChecked(button.ShortcutShow);
    cbVisibleBtn->setEnabled(true);
    cbVisOnBtn->setEnabled(true);
    // Last, so that the loading's own change signals leave a freshly loaded button Chosen.
    pbCancel->setEnabled(true);
    pbOK->setEnabled(false);
    pbDone->setEnabled(true);
  });
}

void winConstruct::BlankOutEditButton() {
  guarded(method(QStringLiteral("BlankOutEditButton")), [&] {
    cbVisibleBtn->setChecked(true);
    cbVisOnBtn->setChecked(false);
    cbVisibleBtn->setEnabled(false);
    cbVisOnBtn->setEnabled(false);
    tfTip->clear();
    taInfo->clear();
    tfTip->setEnabled(false);
    taInfo->setEnabled(false);
    labShortcut->setVisible(false);
    labID->setText(kNoButton);
    setTextColour(*ccShortcutUpDown->labValue, kPickerIdle);
    ccShortcutUpDown->labValue->setText(KM::noneMark);
    ccShortcutUpDown->theValueIndex = 0;
    ccShortcutUpDown->udChangeVal->setEnabled(false);
    pbCancel->setEnabled(false);
    pbOK->setEnabled(false);
    pbDone->setEnabled(true);
  });
}

void winConstruct::markPending() {
  pbOK->setEnabled(true);
  pbDone->setEnabled(false);
}

void winConstruct::cbVisOnBtn_Action() {
  guarded(control(QStringLiteral("cbVisOnBtn"), QStringLiteral("Action")), [&] {
    setTextColour(*labShortcut, cbVisOnBtn->isChecked() ? GridColours::kLetterShown : kLetterUnticked);
    markPending();
  });
}

void winConstruct::cbVisibleBtn_Action() {
  guarded(control(QStringLiteral("cbVisibleBtn"), QStringLiteral("Action")), [&] { markPending(); });
}

void winConstruct::tfTip_TextChange() {
  guarded(control(QStringLiteral("tfTip"), QStringLiteral("TextChange")), [&] { markPending(); });
}

void winConstruct::taInfo_TextChange() {
  guarded(control(QStringLiteral("taInfo"), QStringLiteral("TextChange")), [&] { markPending(); });
}

void winConstruct::pbOK_Action() {
  guarded(control(QStringLiteral("pbOK"), QStringLiteral("Action")), [&] {
    const qint64 i = KM::idxCurrentBtn;
    Btn& button = buttonAt(i);
    button.Tip = GridEdits::trimmedCut(tfTip->text(), GridEdits::kTipLength);
    button.Info = GridEdits::trimmedCut(taInfo->toPlainText(), GridEdits::kInfoLength);
    GridEdits::giveShortcut(*KM::aBtn, i, labShortcut->text());
    showShortcuts();
    button.Vis = cbVisibleBtn->isChecked();
    button.ShortcutShow = cbVisOnBtn->isChecked();
    colourCell(i);
    BlankOutEditButton();
    KM::paletteContentChange = true;
  });
}

void winConstruct::pbCancel_Action() {
  guarded(control(QStringLiteral("pbCancel"), QStringLiteral("Action")), [&] { BlankOutEditButton(); });
}
