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

  // Tests make construction fail through this; it runs inside the constructor's guard.
  static std::function<void()>& constructionProbe();
};
