#pragma once

#include <QPushButton>
#include <QRect>

// The round help button every editing window carries: a question mark in a circle, as the
// platform's help buttons look, taking no focus.
QPushButton* makeHelpButton(QWidget* parent, const QRect& geometry);
