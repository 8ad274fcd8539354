#pragma once

#include <QLabel>
#include <QPushButton>

#include "manage/PreviewWindow.h"

// Shows the current palette and deletes it after confirmation, its pictures moved to the
// Desktop. The first palette and the last live one are not offered.
class winDeletePalette : public PreviewWindow {
  Q_OBJECT
 public:
  // A new window, opened and shown modally; returns once it has closed.
  static void OpenModal();

  winDeletePalette();

  QPushButton* pbCancel = nullptr;
  QPushButton* pbDelete = nullptr;
  QLabel* labNameAlias = nullptr;
  QLabel* labWindowTitle = nullptr;
  QPushButton* pbHelpDelPal = nullptr;
  QLabel* labInfo = nullptr;

  void pbCancel_Action();
  void pbDelete_Action();
  void pbHelpDelPal_Action();
  void Event_Open();
};
