#pragma once

#include <QLabel>
#include <QWidget>
#include <functional>

// The non-modal window that shows one exception report; one instance per report.
class winReportError : public QWidget {
  Q_OBJECT
 public:
  explicit winReportError(const QString& reportText);

  QLabel* labMessage = nullptr;

  // Reports already shown when a modal window opens stand above it and take input, as those
  // raised inside it do: a failure while a window was being prepared is seen at once.
  static void keepAbove(QWidget& modal);

  // Tests make construction fail through this; it runs inside the constructor's guard.
  static std::function<void()>& constructionProbe();
};
