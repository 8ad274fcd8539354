#pragma once

#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "store/PaletteRecord.h"

class MainMenuBar;

// What the Palette menu's ten palette entries (miPalette00 … miPalette09) read and whether
// they can be chosen, decided from the palette list and the current index alone.
struct PaletteMenuItem {
  bool enabled = false;
  // The caption as the user reads it; none: the entry keeps the caption it has.
  std::optional<QString> text;
  bool operator==(const PaletteMenuItem&) const = default;
};
using PaletteMenuItems = std::array<PaletteMenuItem, 10>;

// Slot k's entry is enabled while slot k exists, is not freed (slot 0 is never examined
// for that) and is not current; a slot in use reads "P0k", five spaces and its alias.
PaletteMenuItems paletteMenuState(const std::vector<PaletteRecord>& palettes, qint64 idxCP);

// "miPalette00" … "miPalette09".
QString paletteEntryName(int k);

// Sets the ten entries of the bar; an alias shows unchanged, "&" included.
void applyPaletteMenuState(MainMenuBar& bar, const PaletteMenuItems& items);
