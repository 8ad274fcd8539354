#pragma once

#include <QPushButton>
#include <QTextEdit>

#include "common/ModalSeam.h"

// The information text of the button KM::idxCurrentBtn of the current palette, read-only.
// At most one instance: instance() creates it when none is open, ShowModal() ends it.
class winShowText : public ModalWindow {
  Q_OBJECT
 public:
  // The shared instance; creating it runs taShow_Open, then Event_Open.
  static winShowText& instance();
  // Shows the instance modally and returns once it has closed. Tests answer through
  // ModalSeam::ScopedDriver<winShowText>.
  void ShowModal();

  QTextEdit* taShow = nullptr;
  QPushButton* pbOK = nullptr;

  void taShow_Open();
  void Event_Open();
  void pbOK_Action();
  // The golden-ratio fit for taShow's text; nothing calls these, the window keeps its size.
  void AdjustWindowSize();
  qint64 BestWidth();

 private:
  winShowText();
  ~winShowText() override;
};
