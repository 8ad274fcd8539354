#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <algorithm>
#include <QTest>
#include <QWidget>

// The controls the focus visits as the user presses Tab in a shown window, from the first of
// `order` once round and back to it. The controls of `order` are enabled first, so that the
// whole order shows whatever their state at opening.
inline QList<QWidget*> tabRound(QWidget& window, const QList<QWidget*>& order) {
  for (QWidget* control : order) control->setEnabled(true);
  window.activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
  order.first()->setFocus(Qt::OtherFocusReason);
  QList<QWidget*> seen{QApplication::focusWidget()};
  while (seen.size() <= order.size()) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    seen << QApplication::focusWidget();
  }
  return seen;
}

// The order as tabRound gives it when the window keeps to it.
inline QList<QWidget*> oneRound(QList<QWidget*> order) {
  order << order.first();
  return order;
}

// The outer ring of a field, where its border and a focus frame are drawn.
inline QList<QRgb> fieldRing(QLineEdit* field) {
  const QImage image = field->grab().toImage();
  QList<QRgb> pixels;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (std::min({x, y, image.width() - 1 - x, image.height() - 1 - y}) < 3) pixels << image.pixel(x, y);
  return pixels;
}

// Whether the field draws a focus frame once it has the focus; the window must be active.
inline bool focusChangesRing(QLineEdit* field) {
  field->clearFocus();
  const QList<QRgb> before = fieldRing(field);
  field->setFocus();
  EXPECT_TRUE(field->hasFocus());
  const bool changed = fieldRing(field) != before;
  field->clearFocus();
  return changed;
}
