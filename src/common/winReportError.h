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

  // Counts every report raised so far; a modal window notes it when its preparation begins.
  static quint64 raisedSoFar();

  // Reports raised after raisedBefore, while a modal window was being prepared, stand above it
  // once it opens and take input, as those raised inside it do: such a failure is seen at
  // once. Older reports stay where they are, so a later window opens above them.
  static void keepAbove(QWidget& modal, quint64 raisedBefore);

  // Tests make construction fail through this; it runs inside the constructor's guard.
  static std::function<void()>& constructionProbe();

 private:
  quint64 serial_;
};
