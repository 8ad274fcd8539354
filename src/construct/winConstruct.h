#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <array>

#include "common/ModalSeam.h"
#include "construct/ccDataIntUpDown.h"
#include "construct/ccDataStrUpDown.h"
#include "palette/winMain.h"

// The editor of the current palette: rows, columns, window title, shortcuts for all buttons
// at once and, button by button, shortcut, its display, visibility, tip and information.
// Every change goes straight into the store; Done hides the row below the grid and
// refreshes the palette window, the close box keeps the changes without that.
class winConstruct : public ModalWindow {
  Q_OBJECT
 public:
  static constexpr int kCells = 100;

  // A fresh window: the controls are built, their opening handlers run, then Event_Open.
  winConstruct();
  ~winConstruct() override;

  // The Configure menu's opener: a new window, shown modally until it closes. Tests answer
  // it through ModalSeam::ScopedDriver<winConstruct>.
  static void OpenModal();

  // --- palette-wide area ---
  ccDataIntUpDown* ccRowUpDown = nullptr;
  ccDataIntUpDown* ccColUpDown = nullptr;
  QPushButton* pbAssignShortcuts = nullptr;
  QPushButton* pbAssignNoShortcut = nullptr;
  QPushButton* pbAllVisibleOnButton = nullptr;
  QLabel* labNmID = nullptr;
  QLabel* labNameID = nullptr;
  QLabel* labNmAls = nullptr;
  QLabel* labNameAlias = nullptr;
  QLabel* labWinTitle = nullptr;
  QLineEdit* tfWinTitle = nullptr;
  QPushButton* pbHelpGridCon = nullptr;
  BorderedRect* RectHorizLine = nullptr;

  // --- grid: element i is button number i ---
  std::array<BorderedRect*, kCells> rectGrid{};
  std::array<QLabel*, kCells> labSC{};
  std::array<QLabel*, kCells> labBut{};

  // --- edit area ---
  QLabel* labID = nullptr;
  QGroupBox* gbShortcut = nullptr;
  ccDataStrUpDown* ccShortcutUpDown = nullptr;
  QLabel* labShortcut = nullptr;
  QCheckBox* cbVisOnBtn = nullptr;
  QLabel* labTip = nullptr;
  QLineEdit* tfTip = nullptr;
  QLabel* labInfo = nullptr;
  QPlainTextEdit* taInfo = nullptr;
  QCheckBox* cbVisibleBtn = nullptr;
  QPushButton* pbCancel = nullptr;
  QPushButton* pbOK = nullptr;

  // --- bottom area ---
  BorderedRect* rectTip = nullptr;
  QLabel* labHasTip = nullptr;
  BorderedRect* rectInfo = nullptr;
  QLabel* labHasInfo = nullptr;
  BorderedRect* rectInvisible = nullptr;
  QLabel* labInvisible = nullptr;
  QPushButton* PushButton1 = nullptr;
  QPushButton* pbDone = nullptr;

  // True while every button shows its letter, so that the toggle next hides them all.
  bool visibleOnButton = false;

  // Opening, colours and Done.
  void Event_Open();
  void rectTip_Open();
  void rectInfo_Open();
  void rectInvisible_Open();
  void ColorEdgeRect();
  void SetEntireRowVisibilty(qint64 row, bool visible);
  void pbDone_Action();
  void pbHelpGridCon_Action();
  void PushButton1_Action();

  // Pickers.
  void ccRowUpDown_Open_Instance();
  void ccRowUpDown_ValueChanged();
  void ccColUpDown_Open_Instance();
  void ccColUpDown_ValueChanged();
  void ccShortcutUpDown_Open_Instance();
  void ccShortcutUpDown_ValueChanged();

  // Editing one button.
  bool rectGrid_MouseDown(int index, int x, int y);
  void rectGrid_MouseUp(int index, int x, int y);
  bool labSC_MouseDown(int index, int x, int y);
  void labSC_MouseUp(int index, int x, int y);
  bool labBut_MouseDown(int index, int x, int y);
  void labBut_MouseUp(int index, int x, int y);
  void EditButton(qint64 i);
  void BlankOutEditButton();
  void cbVisOnBtn_Action();
  void cbVisibleBtn_Action();
  void tfTip_TextChange();
  void taInfo_TextChange();
  void pbOK_Action();
  void pbCancel_Action();

  // All buttons at once.
  void pbAssignShortcuts_Action();
  void pbAssignNoShortcut_Action();
  void pbAllVisibleOnButton_Action();
  void AssignShortcut();
  void AssignNoShortcut();

  // The window title field.
  void tfWinTitle_TextChange();
  void tfWinTitle_LostFocus();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildPaletteArea();
  void buildGrid();
  void buildEditArea();
  void buildBottomArea();
  void connectHandlers();
  void markPending();
  // The letters of all cells as the store holds them now.
  void showShortcuts();
  void colourCell(qint64 i);
  void warnOfInvisiblePictures();

  // Which control array an element belongs to, and whether its press was taken.
  enum class CellPart { Rect, Letter, Number };
  bool pressTaken_ = false;
};
