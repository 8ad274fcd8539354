#pragma once

#include <QLabel>
#include <QPushButton>

#include "manage/PreviewWindow.h"
#include "manage/SharedWindow.h"

// Shows the current palette and deletes it after confirmation, its pictures moved to the
// Desktop. The first palette and the last live one are not offered.
class winDeletePalette : public PreviewWindow, public SharedWindow<winDeletePalette> {
  Q_OBJECT
 public:
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
