#pragma once

#include <QRect>
#include <optional>

// Geometry of the main screen (screen 0).
namespace Screen {

// The main screen's available area: its rectangle without the menu bar and the Dock.
// An empty rectangle when there is no screen at all.
QRect mainAvailableArea();

// Tests put a screen of their choosing in place; nullopt restores the real one.
void setMainAvailableArea(std::optional<QRect> area);

}  // namespace Screen
