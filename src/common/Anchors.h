#pragma once

#include <QWidget>

// Resizable windows keep their controls at fixed distances from the edges each control is
// anchored to: anchored to both left and right it grows with the window's width, to the right
// alone it moves with the right edge. The distances are those of the control's geometry
// within its parent at the time of the call, so lay the window out at its design size first.
void anchorToEdges(QWidget* control, Qt::Edges edges);
