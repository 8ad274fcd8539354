#pragma once

#include <QLabel>
#include <QPoint>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <vector>

#include "common/ModalSeam.h"

// Makes another palette current: chosen from the list of palettes in use, or by typing the
// two digits of its Name/ID. A new window for every opening.
class winSwitchPalette : public ModalWindow {
  Q_OBJECT
 public:
  static constexpr int kDigitTimeoutMs = 2000;

  // Opens a new window modally (its Open runs first) and returns once it has closed.
  // Tests answer through ModalSeam::ScopedDriver<winSwitchPalette>.
  static void OpenModal();

  QLabel* labCurrentAlias = nullptr;
  QPushButton* pbHelpSwiPal = nullptr;
  QTableWidget* lbPalette = nullptr;
  QLabel* labChoiceTitle = nullptr;
  QLabel* labChoiceName = nullptr;
  QLabel* labChoiceAlias = nullptr;
  QPushButton* pbCancel = nullptr;
  QPushButton* pbOK = nullptr;
  QLabel* labType = nullptr;
  // One-shot; tests may shorten its interval.
  QTimer* tiBothDigits = nullptr;

  // The digit typed so far of a two-digit entry; empty when none is under way.
  QString firstTyped;

  void pbOK_Action();
  void pbCancel_Action();
  bool lbPalette_CellClick(int row, int column, int x, int y);
  void tiBothDigits_Action();
  void pbHelpSwiPal_Action();
  void Event_Open();
  bool Event_KeyDown(const QString& key);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  winSwitchPalette();
  ~winSwitchPalette() override;

  // A row's palette by its slot, never by its alias: a hand-edited state file can give two
  // slots the same alias.
  struct Row {
    qint64 slot;
    QString name;
  };
  std::vector<Row> rows_;
  qint64 chosenSlot_ = -1;
  QPoint lastRelease_;

  void showChoice(qint64 slot);
  void onCurrentChosen();
};
