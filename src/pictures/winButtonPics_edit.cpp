// Adding a picture file to the palette's picture folder and removing one to the Desktop.
#include <QFileInfo>

#include "common/ErrorGuard.h"
#include "common/FileTools.h"
#include "common/FileTypes.h"
#include "common/RuntimeException.h"
#include "pictures/ButtonPictureRules.h"
#include "pictures/winButtonPics.h"
#include "platform/Dialogs.h"
#include "platform/FileDialog.h"
#include "platform/UserFolders.h"
#include "store/KM.h"

namespace {

// Texts the user sees.
const QString kReviewPicture = QStringLiteral("Review Picture");
const QString kChosenNoPicture = QStringLiteral("The chosen file is supposed to be a picture.");
const QString kNoTwoDigits = QStringLiteral("The selected picture must have a name starting with two digits.");
const QString kKeyTaken = QStringLiteral("There is already a picture for the button ");
const QString kTooWide = QStringLiteral("The file is supposed to be an ~ 64 pixel picture. File: %1 is too wide.");
const QString kTooTall = QStringLiteral("The file is supposed to be an ~ 64 pixel picture. File: %1 is too tall.");
const QString kNameTaken = QStringLiteral("A picture with this same name has already been assigned.");
const QString kSupportAddress = QStringLiteral("support@orvane.com");
const QString kRemoveFault = "Tell " + kSupportAddress + " that a bug in the Remove Picture button";

const QString kDeletedFolder = QStringLiteral("DeletedPalettePictures");

const QString kWindow = QStringLiteral("winButtonPics");
ReportLocation actionAt(const QString& control) {
  return ReportLocation::controlEvent(kWindow, control, QStringLiteral("Action"));
}
const auto kSelectAt = actionAt(QStringLiteral("pbSelectPicToAdd"));
const auto kAddAt = actionAt(QStringLiteral("pbAdd"));
const auto kCancelAt = actionAt(QStringLiteral("pbCancelAdd"));
const auto kRemoveAt = actionAt(QStringLiteral("pbToDesktop"));
const auto kCleanUpAt = ReportLocation::windowMethod(kWindow, QStringLiteral("CleanUpAddingPicture"));

}  // namespace

void winButtonPics::pbSelectPicToAdd_Action() {
  guarded(kSelectAt, [&] {
    clearReview();
    labRevHtValue->clear();
    labRevWthValue->clear();
    labRevHt->hide();
    labRevWth->hide();

    const FolderItem chosen =
        FileDialog::openFile(this, FileTypeRegistry::dialogFilter(FileTypeJpgPng::All()));
    if (chosen.isNull()) return;

    const QString name = chosen.name();
    const ButtonPictureRules::Opened picture = ButtonPictureRules::open(chosen);
    bool accepted = false;
    if (!picture.isPicture) {
      Dialogs::messageBox(kChosenNoPicture);
      labPicToAdd->setText(name);
      labSelect->setText(kReviewPicture);
    } else {
      cnShowPicAdd->setBackdrop(QPixmap::fromImage(picture.image));
      labAddHtValue->setText(QString::number(picture.size.height()));
      labAddWthValue->setText(QString::number(picture.size.width()));
      labAddHt->show();
      labAddWth->show();
      labPicToAdd->setText(name);
      accepted = acceptedToAdd(name, picture.size);
    }

    pbCancelAdd->setEnabled(true);
    pbAdd->setEnabled(accepted);
    fiPictureToAdd = chosen;
    pbSelectPicToAdd->setEnabled(false);
    pbDone->setEnabled(false);
  });
}

// Shows the first rule the picture breaks; the key goes on show once it is one.
bool winButtonPics::acceptedToAdd(const QString& name, const QSize& size) {
  if (!ButtonPictureRules::startsWithTwoDigits(name)) {
    Dialogs::messageBox(kNoTwoDigits);
    return false;
  }
  const QString key = ButtonPictureRules::pictureKey(name);
  labID_Add->setText(key);
  if (!fileForKey(key).isNull()) {
    Dialogs::messageBox(kKeyTaken + key);
    return false;
  }
  switch (ButtonPictureRules::sizeFault(size)) {
    case ButtonPictureRules::SizeFault::Width:
      Dialogs::messageBox(kTooWide.arg(name));
      return false;
    case ButtonPictureRules::SizeFault::Height:
      Dialogs::messageBox(kTooTall.arg(name));
      return false;
    case ButtonPictureRules::SizeFault::None:
      break;
  }
  return true;
}

void winButtonPics::pbAdd_Action() {
  guarded(kAddAt, [&] {
    const QString name = fiPictureToAdd.name();
    if (fiFolderPictureForPalette.child(name).entryStands()) {
      Dialogs::messageBox(kNameTaken);
      return;
    }
    // The picture itself is copied, never a link to it, so the palette keeps its picture
    // whatever becomes of the chosen file.
    const FolderItem source(QFileInfo(fiPictureToAdd.path()).canonicalFilePath());
    source.copyInto(fiFolderPictureForPalette, name);
    fiPictureToAdd = FolderItem();
    PrepareWindow();
    CleanUpAddingPicture();
  });
}

void winButtonPics::pbCancelAdd_Action() {
  guarded(kCancelAt, [&] { CleanUpAddingPicture(); });
}

void winButtonPics::CleanUpAddingPicture() {
  guarded(kCleanUpAt, [&] {
    labID_Add->clear();
    labPicToAdd->clear();
    labSelect->setText(kReviewPicture);
    fiPictureToAdd = FolderItem();
    labAddHt->hide();
    labAddWth->hide();
    labAddHtValue->clear();
    labAddWthValue->clear();
    cnShowPicAdd->setBackdrop(BlankPic);
    pbSelectPicToAdd->setEnabled(true);
    pbCancelAdd->setEnabled(false);
    pbAdd->setEnabled(false);
    pbDone->setEnabled(true);
  });
}

void winButtonPics::pbToDesktop_Action() {
  guarded(kRemoveAt, [&] {
    const QString key = labID->text();
    // The reviewed file itself, by its name: where a second file for the button could not
    // be moved away, its key stands for the other one.
    const FolderItem file = fiFolderPictureForPalette.child(reviewedName_);
    const FolderItem deleted = UserFolders::desktop().child(kDeletedFolder).child(KM::paleName);
    if (deleted.isNull()) throw MissingObjectException(QStringLiteral("%1 cannot name a folder.").arg(KM::paleName));
    if (!deleted.exists()) FileTools::CreateAllFoldersOf(deleted);
    // Without the folder the picture stays where it is, still listed and under review.
    if (!deleted.isFolder()) {
      Dialogs::messageBox(kRemoveFault);
      return;
    }

    FileTools::MoveRenameIfNecessary(file, deleted);
    // A move that failed has been reported; the picture is still in the folder, so it stays
    // listed and under review.
    if (file.isNull() || file.entryStands()) return;

    if (fileForKey(key) == file) diFile.remove(ButtonPictureRules::caseFreeKey(key));
    // The reviewed file's own row: the selection may have moved by keyboard since the click.
    for (int row = 0; row < lbButPic->count(); ++row) {
      if (lbButPic->item(row)->text() == reviewedName_) {
        delete lbButPic->takeItem(row);
        break;
      }
    }
    clearReview();
  });
}
