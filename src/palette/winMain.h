#pragma once

#include <QColor>
#include <QLabel>
#include <QMainWindow>
#include <QPixmap>
#include <array>
#include <vector>

#include "palette/MainMenuBar.h"
#include "store/PaletteView.h"

class winMain;

// One button of the palette: draws its backdrop picture unscaled from the top-left corner,
// then hands painting, hover and clicks to the window's cnBut handlers with its index.
class PaletteButton : public QWidget {
  Q_OBJECT
 public:
  PaletteButton(winMain& owner, int index, QWidget* parent);

  int index() const { return index_; }
  const QPixmap& backdrop() const { return backdrop_; }
  void setBackdrop(const QPixmap& picture);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  winMain& owner_;
  int index_;
  QPixmap backdrop_;
  bool pressTaken_ = false;  // the press handler took the press, so its release is delivered
  Qt::MouseButton pressedButton_ = Qt::NoButton;
};

// A filled rectangle with a one-pixel border, lighter on its top and left edges than on its
// bottom and right ones when the two colours differ.
class BorderedRect : public QWidget {
  Q_OBJECT
 public:
  explicit BorderedRect(QWidget* parent);

  QColor FillColor;
  QColor BorderColorTopLeft;
  QColor BorderColorBottomRight;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// The palette window: the current palette's grid of up to 10 × 10 buttons, and below it the
// strip that names the palette and shows the hovered button's number, tip and shortcut.
class winMain : public QMainWindow, public PaletteView, public MainMenuEntries {
  Q_OBJECT
 public:
  static constexpr int kButtonSize = 64;
  static constexpr int kStripHeight = 30;
  static constexpr int kButtonCount = 100;

  // Creates the controls, registers with the store, then runs the Open event.
  winMain();
  ~winMain() override;

  // The content area (grid and strip); on Linux the menu bar sits above it in the window.
  QWidget* content = nullptr;
  BorderedRect* rectBackgroundTip = nullptr;
  std::array<PaletteButton*, kButtonCount> cnBut{};
  QLabel* labTip = nullptr;
  QLabel* labSeeSC = nullptr;
  QLabel* labSeeNum = nullptr;

  // Button numbers that received a picture file in the last RedrawGrid, in file order.
  std::vector<qint64> hasPicture;
  // Never assigned: no picture.
  QPixmap BlankPic;

  // PaletteView
  void EraseAllPictures() override;
  void RedrawGrid() override;
  void setPaletteTitle(const QString& title) override;
  void setTipText(const QString& text) override;
  void setNumberText(const QString& text) override;
  // The content area's position on screen and its size: the measure of the state file.
  qint64 Top() const override;
  qint64 Left() const override;
  qint64 Height() const override;
  qint64 Width() const override;

  void Print(const QString& text);
  QString rsRowColFromNum(qint64 n);

  // Button canvases; index = button number.
  void cnBut_Paint(int index, QPainter& g);
  void cnBut_MouseEnter(int index);
  void cnBut_MouseExit(int index);
  bool cnBut_MouseDown(int index, int x, int y);
  void cnBut_MouseUp(int index, int x, int y);
  bool labSeeNum_MouseDown(int x, int y);
  void labSeeNum_MouseUp(int x, int y);

  void Event_Open();
  // Saves when anything changed, then closes every window; false when the save failed and
  // the user chose to keep the program open.
  bool Event_Close();
  bool Event_KeyDown(const QString& key);

  // Menus (winMain_menu.cpp): handlers bound to the shared menu bar's entries by name.
  void AddMenuHandlers();
  void Event_EnableMenuItems();
  bool _miConstruct_Action();
  bool _miButPic_Action();
  bool _miModifyPalette_Action();
  bool _miSwitchPalette_Action();
  bool _miPalette00_Action();
  bool _miPalette01_Action();
  bool _miPalette02_Action();
  bool _miPalette03_Action();
  bool _miPalette04_Action();
  bool _miPalette05_Action();
  bool _miPalette06_Action();
  bool _miPalette07_Action();
  bool _miPalette08_Action();
  bool _miPalette09_Action();
  bool _miDeletePalette_Action();
  bool _miRenamePalette_Action();
  bool _miNewPalette_Action();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Places the content area's top-left corner at this screen position.
  void moveContentTo(qint64 top, qint64 left);
  QPoint contentOrigin() const;
  // True when the state is saved, needed no save, or the user chose to quit without it.
  bool saveStateOrAsk();
  void setContentSize(int width, int height);

  bool labSeeNumPressTaken_ = false;
  Qt::MouseButton labSeeNumPressedButton_ = Qt::NoButton;
  bool closed_ = false;
};

