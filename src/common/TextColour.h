#pragma once

#include <QColor>
#include <QWidget>

// The colour a label draws its text in, whether enabled or not.
void setTextColour(QWidget& control, const QColor& colour);
QColor textColour(const QWidget& control);
