#pragma once

#include <gtest/gtest.h>

#include <QApplication>
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
