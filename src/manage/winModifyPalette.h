#pragma once

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "common/ModalSeam.h"

// The older window that renames, creates and deletes palettes on one page, each in a
// coloured panel. Nothing in the menus opens it.
class winModifyPalette : public ModalWindow {
  Q_OBJECT
 public:
  // A new window, opened and shown modally; returns once it has closed.
  static void OpenModal();

  winModifyPalette();

  QFrame* rectChangeAlias = nullptr;
  QLabel* labCurrentName = nullptr;
  QLabel* labAliasChange = nullptr;
  QLineEdit* tfCurrentAlias = nullptr;
  QPushButton* pbChangeAlias = nullptr;
  QFrame* rectNewPalette = nullptr;
  QLabel* labAlias = nullptr;
  QLineEdit* tfAlias = nullptr;
  QPushButton* pbNewPalette = nullptr;
  QFrame* rectDelete = nullptr;
  QPushButton* pbDeletePalette = nullptr;
  QPushButton* pbCancel = nullptr;

  void tfCurrentAlias_TextChange();
  void pbChangeAlias_Action();
  void pbNewPalette_Action();
  void pbCancel_Action();
  void tfAlias_TextChange();
  void pbDeletePalette_Action();
  void Event_Open();

  // Escape cancels: it must never create, rename or delete anything.
  void reject() override;
};
