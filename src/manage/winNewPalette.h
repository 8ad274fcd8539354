#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "common/ModalSeam.h"

// Asks for a new palette's alias, proposing a random one, and creates the palette.
// A new window for every opening.
class winNewPalette : public ModalWindow {
  Q_OBJECT
 public:
  // Opens a new window modally (its Open runs first) and returns once it has closed.
  // Tests answer through ModalSeam::ScopedDriver<winNewPalette>.
  static void OpenModal();

  QLabel* labInfo = nullptr;
  QLabel* labNmAls = nullptr;
  QLineEdit* tfAlias = nullptr;
  QPushButton* pbCancel = nullptr;
  QPushButton* pbOK = nullptr;
  QPushButton* pbHelpNewPal = nullptr;

  void Event_Open();
  void pbOK_Action();
  void pbCancel_Action();
  void pbHelpNewPal_Action();

 private:
  winNewPalette();
  ~winNewPalette() override;
};
