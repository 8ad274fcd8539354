#pragma once

#include <QLabel>
#include <QListWidget>
#include <QMap>
#include <QPixmap>
#include <QPushButton>

#include "common/ModalSeam.h"
#include "common/QuitRequest.h"
#include "palette/winMain.h"
#include "pictures/PictureCanvas.h"
#include "platform/FolderItem.h"

// The current palette's button pictures: the folder check that moves files breaking the
// rules to the Desktop, the list and review of the pictures, adding a picture file and
// removing one to the Desktop. It changes files only, never palette data.
// At most one instance: instance() creates it when none is open, ShowModal() ends it.
class winButtonPics : public ModalWindow {
  Q_OBJECT
 public:
  // What the Configure menu's entry does: shows the shared instance modally.
  static void OpenModal();
  // The shared instance; creating it runs Event_Open, folder check included.
  static winButtonPics& instance();
  // Shows the instance modally and returns once it has closed. Tests answer through
  // ModalSeam::ScopedDriver<winButtonPics>.
  void ShowModal();

  QPushButton* pbDone = nullptr;
  QListWidget* lbButPic = nullptr;
  QLabel* labSelect = nullptr;
  PictureCanvas* cnShow = nullptr;
  QPushButton* pbToDesktop = nullptr;
  QLabel* labID = nullptr;
  BorderedRect* rectLine = nullptr;
  QPushButton* pbSelectPicToAdd = nullptr;
  QLabel* labPicToAdd = nullptr;
  PictureCanvas* cnShowPicAdd = nullptr;
  QLabel* labID_Add = nullptr;
  QPushButton* pbAdd = nullptr;
  QPushButton* pbCancelAdd = nullptr;
  QLabel* labRevHt = nullptr;
  QLabel* labRevHtValue = nullptr;
  QLabel* labRevWth = nullptr;
  QLabel* labRevWthValue = nullptr;
  QLabel* labAddHt = nullptr;
  QLabel* labAddHtValue = nullptr;
  QLabel* labAddWth = nullptr;
  QLabel* labAddWthValue = nullptr;
  QLabel* labCurrentName = nullptr;
  QLabel* labCurrentAlias = nullptr;
  QPushButton* pbHelpButGraphics = nullptr;

  // Picture key (compared without regard to letter case) to the folder's item bearing it.
  QMap<QString, FolderItem> diFile;
  // Never assigned: no picture.
  QPixmap BlankPic;
  // The file chosen for a pending add; no item while none is pending.
  FolderItem fiPictureToAdd;
  // The current palette's picture folder, set once at opening.
  FolderItem fiFolderPictureForPalette;

  void Event_Open();
  void PrepareWindow();
  bool lbButPic_CellClick(int row, int column, int x, int y);
  void pbDone_Action();
  void pbHelpButGraphics_Action();
  // Whether the current palette's picture folder holds a button picture of that name.
  bool rfValidFileName(const QString& name);

  // Adding and removing (winButtonPics_edit.cpp).
  void pbSelectPicToAdd_Action();
  void pbAdd_Action();
  void pbCancelAdd_Action();
  void pbToDesktop_Action();
  void CleanUpAddingPicture();

  // The item of diFile under the key, or no item.
  FolderItem fileForKey(const QString& key) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  winButtonPics();
  ~winButtonPics() override;
  void discard();

  bool validationPass(const QuitRequest::Watch& watch);
  bool duplicatePass(const QuitRequest::Watch& watch);
  void listFill();
  // Clears the picture under review and leaves no row of the list selected or current; its
  // size labels are the caller's business.
  void clearReview();
  bool acceptedToAdd(const QString& name, const QSize& size);

  // The name of the file under review: Remove takes its own row, wherever the selection is.
  QString reviewedName_;
};
