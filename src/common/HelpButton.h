#pragma once

#include <QPushButton>
#include <QRect>

// The round help button every editing window carries: a question mark in a circle, as the
// platform's help buttons look. Tab reaches it and Space presses it; a click leaves the focus
// where it was.
QPushButton* makeHelpButton(QWidget* parent, const QRect& geometry);
