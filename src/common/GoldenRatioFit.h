#pragma once

#include <QPoint>
#include <QSize>
#include <QString>
#include <QtGlobal>
#include <functional>

class QWidget;

// Sizing a window to its text so that it comes out near the golden ratio: the text is
// wrapped at widths from 150 to 800 and the width whose window is closest to 1.61 wins.
namespace GoldenRatioFit {

// The height of the text when wrapped at the given width.
using TextHeight = std::function<double(qint64 wrapWidth)>;

// What a window adds around its text: pixels across, and the widening applied when the
// chosen text would come out too tall for the window.
struct Allowance {
  qint64 across;
  double widening;
};

// The window width for a text measured by textHeight (0 when nothing was measured).
qint64 bestWidth(const TextHeight& textHeight, Allowance allowance);

// The window size for that width, capped at 0.8 of the main screen's available size.
QSize windowSize(qint64 bestWidth, QSize availableArea);

// A window of that size a third of the way down the main screen and centred across it,
// in coordinates from the screen's top left corner.
QPoint windowPlace(QSize windowSize, QSize availableArea);

// Resizes the window (width, then height) for that width on the main screen and places it.
void fitWindow(QWidget& window, qint64 bestWidth);

// Measures the text in Helvetica 14 on a 1 × 1 scratch picture.
TextHeight measureInHelvetica14(const QString& text);

}  // namespace GoldenRatioFit
