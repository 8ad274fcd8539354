#pragma once

#include <QString>
#include <memory>

#include "store/Btn.h"

// One slot of the palette list. Not copyable, for the same reason as Btn: hold a reference
// (`PaletteRecord& r = KM::DP.at(i)`). A reference into KM::DP stays valid until a record is
// appended (CreateFirstPalette, CreateNewPalette, the state file reader).
struct PaletteRecord {
  PaletteRecord() = default;
  PaletteRecord(const PaletteRecord&) = delete;
  PaletteRecord& operator=(const PaletteRecord&) = delete;
  PaletteRecord(PaletteRecord&&) = default;
  PaletteRecord& operator=(PaletteRecord&&) = default;

  static constexpr size_t buttonCount = 100;
  // Holds all its buttons: only such a record may be made current or written.
  bool complete() const { return a_Btn && a_Btn->size() == buttonCount; }

  BtnArrayRef a_Btn = std::make_shared<BtnArray>();  // exactly 100 buttons once filled
  qint64 i_NumRows = 0;
  qint64 i_NumColumns = 0;
  QString s_Name;
  QString s_Alias;     // the none mark marks a freed slot
  QString s_WinTitle;
};
