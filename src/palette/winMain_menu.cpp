// The palette window's menu handlers and the state of its Palette menu.
#include <QAction>
#include <utility>

#include "common/ErrorGuard.h"
#include "construct/winConstruct.h"
#include "manage/winChangeAlias.h"
#include "manage/winDeletePalette.h"
#include "manage/winModifyPalette.h"
#include "manage/winNewPalette.h"
#include "manage/winSwitchPalette.h"
#include "palette/MainMenuBar.h"
#include "palette/PaletteMenuState.h"
#include "palette/winMain.h"
#include "pictures/winButtonPics.h"
#include "store/KM.h"

namespace {

const QString kWindow = QStringLiteral("winMain");
const QString kEnableMenuItems = QStringLiteral("EnableMenuItems");

// The windows that entries open, each shown modally through its class's one shared
// instance. A window that is not built yet has no opener: its entry stays disabled rather
// than open something that only pretends to work.
using WindowOpener = void (*)();
struct WindowEntry {
  const char* name;
  WindowOpener open;
};
// clang-format off
const WindowEntry kWindowEntries[] = {
    {"miConstruct", &winConstruct::OpenModal},
    {"miButPic", &winButtonPics::OpenModal},
    {"miModifyPalette", &winModifyPalette::OpenModal},
    {"miSwitchPalette", &winSwitchPalette::OpenModal},
    {"miDeletePalette", &winDeletePalette::OpenModal},
    {"miRenamePalette", &winChangeAlias::OpenModal},
    {"miNewPalette", &winNewPalette::OpenModal},
};
// clang-format on

bool showWindow(winMain& palette, const char* entry) {
  return guardedMenuHandler(kWindow, QString::fromLatin1(entry), [&palette, entry] {
    for (const WindowEntry& window : kWindowEntries)
      if (qstrcmp(window.name, entry) == 0 && window.open) window.open();
    // The window may have created, switched, renamed or freed a palette.
    palette.Event_EnableMenuItems();
  });
}

bool changeToPaletteEntry(winMain& window, int k) {
  return guardedMenuHandler(kWindow, paletteEntryName(k), [&window, k] {
    // The enabled state Qt holds may be stale; a freed, missing or current slot is no
    // choice, and a switch to it would leave an unusable palette current.
    if (!paletteMenuState(KM::DP, KM::idxCP).at(static_cast<size_t>(k)).enabled) return;
    KM::ChangeToPalette(k);
    window.Event_EnableMenuItems();
  });
}

}  // namespace

void winMain::AddMenuHandlers() {
  using Handler = bool (winMain::*)();
  const std::pair<const char*, Handler> handlers[] = {
      {"miConstruct", &winMain::_miConstruct_Action},
      {"miButPic", &winMain::_miButPic_Action},
      {"miModifyPalette", &winMain::_miModifyPalette_Action},
      {"miSwitchPalette", &winMain::_miSwitchPalette_Action},
      {"miPalette00", &winMain::_miPalette00_Action},
      {"miPalette01", &winMain::_miPalette01_Action},
      {"miPalette02", &winMain::_miPalette02_Action},
      {"miPalette03", &winMain::_miPalette03_Action},
      {"miPalette04", &winMain::_miPalette04_Action},
      {"miPalette05", &winMain::_miPalette05_Action},
      {"miPalette06", &winMain::_miPalette06_Action},
      {"miPalette07", &winMain::_miPalette07_Action},
      {"miPalette08", &winMain::_miPalette08_Action},
      {"miPalette09", &winMain::_miPalette09_Action},
      {"miDeletePalette", &winMain::_miDeletePalette_Action},
      {"miRenamePalette", &winMain::_miRenamePalette_Action},
      {"miNewPalette", &winMain::_miNewPalette_Action},
  };
  MainMenuBar& bar = MainMenuBar::shared();
  for (const auto& [name, handler] : handlers)
    bar.AddMenuHandler(this, QString::fromLatin1(name),
                       [this, handler = handler] { return (this->*handler)(); });
  bar.SetEnableHandler(this, [this] { Event_EnableMenuItems(); });
  for (const WindowEntry& window : kWindowEntries)
    if (QAction* entry = bar.entry(QString::fromLatin1(window.name)))
      entry->setEnabled(window.open != nullptr);
  Event_EnableMenuItems();
}

void winMain::Event_EnableMenuItems() {
  guarded(ReportLocation::windowEvent(kWindow, kEnableMenuItems), [] {
    applyPaletteMenuState(MainMenuBar::shared(), paletteMenuState(KM::DP, KM::idxCP));
  });
}

bool winMain::_miConstruct_Action() { return showWindow(*this, "miConstruct"); }
bool winMain::_miButPic_Action() { return showWindow(*this, "miButPic"); }
// No entry carries this name: nothing calls it.
bool winMain::_miModifyPalette_Action() { return showWindow(*this, "miModifyPalette"); }
bool winMain::_miSwitchPalette_Action() { return showWindow(*this, "miSwitchPalette"); }
bool winMain::_miPalette00_Action() { return changeToPaletteEntry(*this, 0); }
bool winMain::_miPalette01_Action() { return changeToPaletteEntry(*this, 1); }
bool winMain::_miPalette02_Action() { return changeToPaletteEntry(*this, 2); }
bool winMain::_miPalette03_Action() { return changeToPaletteEntry(*this, 3); }
bool winMain::_miPalette04_Action() { return changeToPaletteEntry(*this, 4); }
bool winMain::_miPalette05_Action() { return changeToPaletteEntry(*this, 5); }
bool winMain::_miPalette06_Action() { return changeToPaletteEntry(*this, 6); }
bool winMain::_miPalette07_Action() { return changeToPaletteEntry(*this, 7); }
bool winMain::_miPalette08_Action() { return changeToPaletteEntry(*this, 8); }
bool winMain::_miPalette09_Action() { return changeToPaletteEntry(*this, 9); }
bool winMain::_miDeletePalette_Action() { return showWindow(*this, "miDeletePalette"); }
bool winMain::_miRenamePalette_Action() { return showWindow(*this, "miRenamePalette"); }
bool winMain::_miNewPalette_Action() { return showWindow(*this, "miNewPalette"); }
