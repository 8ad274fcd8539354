// The Grid Construct window's three pickers: rows, columns and the chosen button's shortcut.
#include "common/ErrorGuard.h"
#include "construct/ConstructTexts.h"
#include "construct/winConstruct.h"
#include "store/KM.h"

using namespace ConstructTexts;

namespace {

constexpr qint64 kMaxCells = 10;

ReportLocation instance(const QString& picker, const QString& event) {
  return ReportLocation::containerInstance(kWindow, picker, event);
}

// A palette has 1 to 10 rows and columns; anything else read from a state file becomes 10.
void openCountPicker(ccDataIntUpDown& picker, qint64& count, const QString& title) {
  if (count < 1 || count > kMaxCells) count = kMaxCells;
  picker.jump = 1;
  picker.jumpShift = 2;
  picker.minValue = 1;
  picker.maxValue = kMaxCells;
  picker.theValue = count;
  picker.labValue->setText(QString::number(picker.theValue));
  picker.labTitle->setText(title);
}

}  // namespace

void winConstruct::ccRowUpDown_Open_Instance() {
  guarded(control(QStringLiteral("ccRowUpDown"), QStringLiteral("Open_Instance")),
          [&] { openCountPicker(*ccRowUpDown, KM::numRows, kRows); });
}

void winConstruct::ccColUpDown_Open_Instance() {
  guarded(control(QStringLiteral("ccColUpDown"), QStringLiteral("Open_Instance")),
          [&] { openCountPicker(*ccColUpDown, KM::numColumns, kColumns); });
}

void winConstruct::ccRowUpDown_ValueChanged() {
  guarded(control(QStringLiteral("ccRowUpDown"), QStringLiteral("ValueChanged")), [&] {
    KM::numRows = ccRowUpDown->theValue;
    ColorEdgeRect();
    BlankOutEditButton();
  });
}

void winConstruct::ccColUpDown_ValueChanged() {
  guarded(control(QStringLiteral("ccColUpDown"), QStringLiteral("ValueChanged")), [&] {
    KM::numColumns = ccColUpDown->theValue;
    ColorEdgeRect();
    // Columns end an edit only while a button is chosen.
    if (labID->text().compare(kNoButton, Qt::CaseInsensitive) != 0) BlankOutEditButton();
  });
}

void winConstruct::ccShortcutUpDown_Open_Instance() {
  guarded(instance(QStringLiteral("ccShortcutUpDown"), QStringLiteral("Open_Instance")), [&] {
    ccDataStrUpDown& picker = *ccShortcutUpDown;
    // The picker's own list: the none mark, then the shortcut alphabet's order.
    picker.aStrChoices = QStringList{KM::noneMark};
    for (char16_t c = u'a'; c <= u'z'; ++c) picker.aStrChoices << QString(QChar(c));
    for (char16_t c = u'A'; c <= u'Z'; ++c) picker.aStrChoices << QString(QChar(c));
    picker.minIndex = 0;
    picker.maxIndex = 52;
    picker.jump = 1;
    picker.jumpShift = 8;
    picker.theValue = KM::noneMark;
    picker.theValueIndex = 0;
    picker.labTitle->setText(kShortcut);
    picker.labValue->setText(KM::noneMark);
  });
}

void winConstruct::ccShortcutUpDown_ValueChanged() {
  guarded(instance(QStringLiteral("ccShortcutUpDown"), QStringLiteral("ValueChanged")), [&] {
    labShortcut->setText(ccShortcutUpDown->theValue);
    markPending();
  });
}
