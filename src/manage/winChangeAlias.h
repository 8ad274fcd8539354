#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "manage/PreviewWindow.h"

// Gives the current palette another alias and window title. The title is cleaned while it
// is typed; the alias is cleaned and made unique only when the change is accepted.
class winChangeAlias : public PreviewWindow {
  Q_OBJECT
 public:
  // A new window, opened and shown modally; returns once it has closed.
  static void OpenModal();

  winChangeAlias();

  QPushButton* pbCancel = nullptr;
  QPushButton* pbMakeChange = nullptr;
  QPushButton* pbHelpChgAlias = nullptr;
  QLabel* labInfo = nullptr;
  QLineEdit* tfAlias = nullptr;
  QLineEdit* tfWinTitle = nullptr;

  void pbCancel_Action();
  void pbMakeChange_Action();
  void pbHelpChgAlias_Action();
  void tfWinTitle_TextChange();
  void Event_Open();

 private:
  // The fields hold the current palette's values only once Open has completed.
  bool opened_ = false;
};
