#include "common/GoldenRatioFit.h"

#include <QFontMetrics>
#include <QImage>
#include <QWidget>
#include <cmath>

#include "common/Fonts.h"
#include "platform/Screen.h"

namespace GoldenRatioFit {
namespace {
constexpr double kRatio = 1.61;
constexpr qint64 kDown = 102;
constexpr qint64 kFirstWrap = 150, kLastWrap = 800, kWrapStep = 50;
constexpr double kScreenShare = 0.8;

// Truncation toward zero, as the sizes are whole pixels.
qint64 whole(double x) { return static_cast<qint64>(std::trunc(x)); }
}  // namespace

qint64 bestWidth(const TextHeight& textHeight, Allowance allowance) {
  double bestDeviation = 100.0;
  qint64 bestWrap = 0, bestHeight = 0;
  for (qint64 wrap = kFirstWrap; wrap <= kLastWrap; wrap += kWrapStep) {
    const qint64 h = whole(textHeight(wrap));
    const double ratio = static_cast<double>(wrap + allowance.across) / static_cast<double>(h + kDown);
    const double deviation = std::abs(kRatio - ratio);
    // Strictly better only: on a tie the narrower text stays.
    if (bestDeviation > deviation) {
      bestDeviation = deviation;
      bestWrap = wrap;
      bestHeight = h;
    }
  }
  const qint64 width = bestWrap + allowance.across;
  if (static_cast<double>(bestHeight) * allowance.widening > static_cast<double>(whole(width / kRatio) - kDown))
    return whole(static_cast<double>(width) * allowance.widening);
  return width;
}

QSize windowSize(qint64 bestWidth, QSize availableArea) {
  qint64 height = whole(static_cast<double>(bestWidth) / kRatio);
  qint64 width = bestWidth < 300 ? whole(static_cast<double>(bestWidth) * 1.1) : bestWidth;
  const qint64 heightCap = whole(availableArea.height() * kScreenShare);
  const qint64 widthCap = whole(availableArea.width() * kScreenShare);
  if (heightCap < height) height = heightCap;
  if (widthCap < width) width = widthCap;
  return {static_cast<int>(width), static_cast<int>(height)};
}

QPoint windowPlace(QSize windowSize, QSize availableArea) {
  const qint64 top = whole((availableArea.height() - windowSize.height()) / 3.0);
  const qint64 left = whole((availableArea.width() - windowSize.width()) / 2.0);
  return {static_cast<int>(left), static_cast<int>(top)};
}

void fitWindow(QWidget& window, qint64 bestWidth) {
  const QSize available = Screen::mainAvailableArea().size();
  const QSize target = windowSize(bestWidth, available);
  window.resize(target.width(), window.height());
  window.resize(window.width(), target.height());
  // The size the window reports, in case it kept to its own limits.
  window.move(windowPlace(window.size(), available));
}

TextHeight measureInHelvetica14(const QString& text) {
  const QImage scratch(1, 1, QImage::Format_ARGB32_Premultiplied);
  const QFontMetrics metrics(Fonts::named(QStringLiteral("Helvetica"), 14), &scratch);
  return [text, metrics](qint64 wrapWidth) -> double {
    return metrics.boundingRect(QRect(0, 0, static_cast<int>(wrapWidth), 1 << 20), Qt::TextWordWrap, text).height();
  };
}

}  // namespace GoldenRatioFit
