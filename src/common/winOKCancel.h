#pragma once

#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QWidget>

#include "common/ModalSeam.h"

// One OK/Cancel question; a new window per question. Its answer goes to App.fGlobalBoolean.
class winOKCancel : public ModalWindow {
  Q_OBJECT
 public:
  winOKCancel();

  QPushButton* pbOK = nullptr;
  QPushButton* pbCancel = nullptr;
  QLabel* labMessage = nullptr;
  QWidget* cnCaution = nullptr;

  void pbOK_Action();
  void pbCancel_Action();
  void cnCaution_Paint(QPainter& g);
  // Sizes and places the window for the text labMessage holds now.
  void AdjustWindowSize();
  qint64 BestWidth();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  bool answered_ = false;
};

namespace RtrnBoolean {

// Asks the question in a new winOKCancel and answers True when OK was pressed. The default
// button: 1 OK, 2 Cancel, any other number none. Tests answer through
// ModalSeam::ScopedDriver<winOKCancel>.
bool rbOKCancel(const QString& message, qint64 defaultButton, const QString& title);

}  // namespace RtrnBoolean
