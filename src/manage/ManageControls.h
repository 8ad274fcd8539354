#pragma once

#include <QColor>
#include <QLabel>
#include <QLineEdit>
#include "common/Controls.h"
#include <QRect>
#include <QString>

// The controls the palette management windows share, made alike in every window. Labels show
// their text as written, never as HTML.
namespace ManageControls {

inline const QColor kCaptionColour{0x91, 0x91, 0x91};
inline const QColor kInformationColour{0x93, 0x51, 0x00};

// The system font at its default size, for a whole window.
QFont windowFont();

// A field's caption: right-aligned, grey unless it lies on a coloured panel.
QLabel* caption(QWidget* parent, const QString& text, const QRect& place, const QColor& colour = kCaptionColour);
// The window's explanation: wrapped, brown, not selectable.
QLabel* information(QWidget* parent, const QString& text, const QRect& place);

// One line, white with black text, or without frame and background so it reads like a
// label; no spell checking. It shows the platform's focus frame unless the window hides it.
QLineEdit* textField(QWidget* parent, const QRect& place, bool framed = true);

}  // namespace ManageControls
