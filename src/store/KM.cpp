#include "store/KM.h"

#include <optional>

#include "common/ErrorGuard.h"
#include "common/RuntimeException.h"
#include "common/StringUtils.h"
#include "store/StoreDetail.h"

namespace {

const QString kIndexOutOfRange =
    QStringLiteral("Inappropriate index value passed for DefaultValuesPalette method.");
const QString kAlreadyActive = QStringLiteral(
    "You are trying to change to the currently active palette. There is nothing to do.");
const QString kNoSuchAlias =
    QStringLiteral("IndexFromAlias method called and no dictionary in KM.DicPalette found with the alias: ");

const QString kAlphabet = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
const QString kPlaceholderLetters = QStringLiteral("abcdefghijklmnopqrstuvwxyz");

using KM::detail::kButtonCount;
using KM::detail::kmMethod;
using KM::detail::twoDigits;

BtnArrayRef makeDefaultButtons() {
  auto buttons = std::make_shared<BtnArray>();
  buttons->reserve(kButtonCount);
  for (int n = 0; n < kButtonCount; ++n) {
    Btn b;
    b.ID = n;
    b.sID = twoDigits(n);
    b.Row = n / 10;
    b.Col = n % 10;
    if (n <= 51) {
      if (n >= KM::aAlphabetShortcut.size())
        throw OutOfBoundsException(QStringLiteral("The shortcut alphabet has no entry %1.").arg(n));
      b.Shortcut = KM::aAlphabetShortcut.at(n);
    } else {
      b.Shortcut = KM::noneMark;
    }
    b.Vis = true;
    buttons->push_back(std::move(b));
  }
  return buttons;
}

void loadMirrors(const PaletteRecord& record) {
  KM::numRows = record.i_NumRows;
  KM::numColumns = record.i_NumColumns;
  KM::paleName = record.s_Name;
  KM::paleAlias = record.s_Alias;
  KM::paleWinTitle = record.s_WinTitle;
}

void writeMirrors(PaletteRecord& record) {
  record.i_NumRows = KM::numRows;
  record.i_NumColumns = KM::numColumns;
  record.s_Name = KM::paleName;
  record.s_Alias = KM::paleAlias;
  record.s_WinTitle = KM::paleWinTitle;
}

QString placeholderAlias() { return StringUtils::Random(5, kPlaceholderLetters); }

// A palette about to be created: the first freed slot, else a new one at the end. Made
// complete before anything of the store changes.
struct NewSlot {
  qint64 index = -1;
  std::optional<PaletteRecord> appended;
  BtnArrayRef buttons;  // for a freed slot that lost its buttons
};

NewSlot prepareNewSlot() {
  NewSlot slot;
  for (qint64 i = 0; i < static_cast<qint64>(KM::DP.size()); ++i) {
    if (KM::DP[static_cast<size_t>(i)].s_Alias.compare(KM::noneMark, Qt::CaseInsensitive) == 0) {
      slot.index = i;
      break;
    }
  }
  if (slot.index < 0) {
    slot.index = static_cast<qint64>(KM::DP.size());
    PaletteRecord& record = slot.appended.emplace();
    record.i_NumRows = 10;
    record.i_NumColumns = 10;
    record.s_Name = "P" + twoDigits(slot.index);
    record.s_WinTitle = "KM P" + twoDigits(slot.index);
    record.a_Btn = makeDefaultButtons();
    KM::DP.reserve(KM::DP.size() + 1);  // so that the append below cannot fail
  } else if (!KM::DP[static_cast<size_t>(slot.index)].complete()) {
    slot.buttons = makeDefaultButtons();
  }
  return slot;
}

// Nothing here can fail, so the store is never left between two palettes.
void commitNewSlot(NewSlot& slot, const QString& alias) {
  KM::paletteActiveChange = true;
  if (KM::paletteContentChange && KM::idxCP >= 0 && KM::idxCP < static_cast<qint64>(KM::DP.size()))
    writeMirrors(KM::DP[static_cast<size_t>(KM::idxCP)]);
  KM::aBtn = std::make_shared<BtnArray>();
  if (slot.appended) KM::DP.push_back(std::move(*slot.appended));
  PaletteRecord& record = KM::DP[static_cast<size_t>(slot.index)];
  if (slot.buttons) record.a_Btn = slot.buttons;
  record.s_Alias = alias;
  KM::idxCP = slot.index;
  loadMirrors(record);
  KM::paletteContentChange = true;
}

}  // namespace

namespace KM {

PaletteRecord& detail::recordAt(qint64 i) {
  if (i < 0 || i >= static_cast<qint64>(DP.size()))
    throw OutOfBoundsException(QStringLiteral("No palette slot %1 (the list has %2).").arg(i).arg(DP.size()));
  return DP[static_cast<size_t>(i)];
}

const PaletteRecord& detail::completeRecordAt(qint64 i) {
  const PaletteRecord& record = recordAt(i);
  if (!record.complete())
    throw MissingObjectException(QStringLiteral("Palette slot %1 does not hold 100 buttons.").arg(i));
  return record;
}

void MakeAlphabetShortcuts() {
  guarded(kmMethod("MakeAlphabetShortcuts"), [] {
    QStringList letters;
    for (QChar c : kAlphabet) letters << QString(c);
    aAlphabetShortcut = letters;
  });
}

void CreateFirstPalette() {
  guarded(kmMethod("CreateFirstPalette"), [] {
    DP.emplace_back();
    idxCP = 0;
    PaletteRecord& record = detail::recordAt(idxCP);
    record.i_NumRows = 10;
    record.i_NumColumns = 10;
    record.s_Name = QStringLiteral("P00");
    record.s_Alias = QStringLiteral("Original");
    record.s_WinTitle = QStringLiteral("KM Palette");
    record.a_Btn = makeDefaultButtons();
    loadMirrors(record);
    paletteContentChange = true;
  });
}

void DefaultValuesPalette(qint64 i) {
  guarded(kmMethod("DefaultValuesPalette"), [i] {
    if (i < 0 || i >= static_cast<qint64>(DP.size())) {
      Dialogs::messageBox(kIndexOutOfRange);
      return;
    }
    PaletteRecord& record = detail::recordAt(i);
    record.i_NumRows = 10;
    record.i_NumColumns = 10;
    record.s_Name = "P" + twoDigits(i);
    record.s_Alias = placeholderAlias();
    record.s_WinTitle = "KM P" + twoDigits(i);
    record.a_Btn = makeDefaultButtons();
  });
}

void ActivatePalette(qint64 i) {
  guarded(kmMethod("ActivatePalette"), [i] {
    // Checked before anything changes, so a bad index leaves the current palette usable.
    const PaletteRecord& record = detail::completeRecordAt(i);
    if (idxCP != -1) BreakBtnLinkToDP();
    idxCP = i;
    aBtn = record.a_Btn;
    loadMirrors(record);
  });
}

void BreakBtnLinkToDP() {
  guarded(kmMethod("BreakBtnLinkToDP"), [] { aBtn = std::make_shared<BtnArray>(); });
}

void SavePaletteToDP() {
  guarded(kmMethod("SavePaletteToDP"), [] {
    paletteActiveChange = true;
    if (!paletteContentChange) return;
    writeMirrors(detail::recordAt(idxCP));
  });
}

PaletteView& PaletteWindow() {
  if (!paletteView) throw MissingObjectException(QStringLiteral("The palette window is not open."));
  return *paletteView;
}

void RedrawPalette(PaletteView& window) {
  window.EraseAllPictures();
  window.RedrawGrid();
  window.setPaletteTitle(paleWinTitle);
}

void ShowCurrentPalette(PaletteView& window) {
  RedrawPalette(window);
  window.setTipText(paleAlias);
  window.setNumberText(paleName);
}

void ChangeToPalette(qint64 i) {
  guarded(kmMethod("ChangeToPalette"), [i] {
    if (i == idxCP) {
      Dialogs::messageBox(kAlreadyActive);
      return;
    }
    SavePaletteToDP();
    ActivatePalette(i);
    ShowCurrentPalette(PaletteWindow());
    paletteActiveChange = true;
  });
}

void CreateNewPalette(const QString& alias) {
  guarded(kmMethod("CreateNewPalette"), [&alias] {
    NewSlot slot = prepareNewSlot();
    commitNewSlot(slot, alias);
  });
}

bool CreateNewPaletteAndActivate(const QString& alias) {
  return guarded(kmMethod("CreateNewPalette"), [&alias] {
    NewSlot slot = prepareNewSlot();
    commitNewSlot(slot, alias);
    aBtn = DP[static_cast<size_t>(idxCP)].a_Btn;
    return true;
  });
}

qint64 IndexFromAlias(const QString& alias) {
  return guarded(kmMethod("IndexFromAlias"), [&alias]() -> qint64 {
    for (qint64 i = 0; i < static_cast<qint64>(DP.size()); ++i)
      if (detail::recordAt(i).s_Alias.compare(alias, Qt::CaseInsensitive) == 0) return i;
    Dialogs::messageBox(kNoSuchAlias + alias);
    return -1;
  });
}

qint64 CountActivePalette() {
  return guarded(kmMethod("CountActivePalette"), []() -> qint64 {
    qint64 count = 0;
    for (const PaletteRecord& record : DP)
      if (record.s_Alias.compare(noneMark, Qt::CaseInsensitive) != 0) ++count;
    return count;
  });
}

QStringList AllAliases() {
  QStringList aliases;
  aliases.reserve(static_cast<qsizetype>(DP.size()));
  for (const PaletteRecord& record : DP) aliases << record.s_Alias;
  return aliases;
}

QString sID_FromShortcut(const QString& key) {
  return guarded(kmMethod("sID_FromShortcut"), [&key]() -> QString {
    for (int n = 0; n < kButtonCount; ++n) {
      const Btn& button = aBtn->at(static_cast<size_t>(n));
      if (button.Shortcut == key) return button.sID;
    }
    return {};
  });
}

void resetToInitialValues() {
  DP.clear();
  idxCP = -1;
  aBtn = std::make_shared<BtnArray>();
  numRows = 0;
  numColumns = 0;
  paleName.clear();
  paleAlias.clear();
  paleWinTitle.clear();
  idxCurrentBtn = 0;
  aAlphabetShortcut.clear();
  paletteContentChange = false;
  paletteActiveChange = false;
  reusablePaletteName.clear();
  initialWinTop = 0;
  initialWinLeft = 0;
  initialWinHeight = 0;
  initialWinWidth = 0;
}

}  // namespace KM
