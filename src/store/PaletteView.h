#pragma once

#include <QString>

// What the store needs of the palette window; the store never includes a window header.
// The palette window implements it and registers itself; tests use a recording fake.
class PaletteView {
 public:
  virtual ~PaletteView() = default;

  virtual void EraseAllPictures() = 0;
  virtual void RedrawGrid() = 0;
  virtual void setPaletteTitle(const QString& title) = 0;  // the window title
  virtual void setTipText(const QString& text) = 0;        // labTip
  virtual void setNumberText(const QString& text) = 0;     // labSeeNum

  // The window's position and size, in the one measure the state file uses.
  virtual qint64 Top() const = 0;
  virtual qint64 Left() const = 0;
  virtual qint64 Height() const = 0;
  virtual qint64 Width() const = 0;
};

namespace KM {
// The palette window while it exists; nullptr otherwise.
inline PaletteView* paletteView = nullptr;

// The palette window; MissingObjectException when it is not open.
PaletteView& PaletteWindow();
// The window shows the current palette's pictures afresh, its grid and its title.
void RedrawPalette(PaletteView& window);
// RedrawPalette, and the strip names the current palette: its alias and its Name/ID.
void ShowCurrentPalette(PaletteView& window);
}  // namespace KM
