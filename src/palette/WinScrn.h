#pragma once

#include <QtGlobal>

// Whether a saved window rectangle may be restored on the main screen.
namespace WinScrn {

// True when the rectangle (top, left, height, width) has a size and lies within the main
// screen's available area, its edges included. A failure is reported and answers False.
bool IsWithinMainScreenTLBR(qint64 top, qint64 left, qint64 height, qint64 width);

}  // namespace WinScrn
