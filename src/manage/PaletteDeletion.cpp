#include "manage/PaletteDeletion.h"

#include "app/App.h"
#include "common/RtrnDateString.h"
#include "common/RuntimeException.h"
#include "common/winOKCancel.h"
#include "platform/UserFolders.h"
#include "store/KM.h"

namespace {

const QString kConfirmation = QStringLiteral(
    "Are you sure that you want to delete a palette? Understand that you may want to remove some Keyboard "
    "Maestro macro that is associated with it.");
const QString kConfirmationTitle = QStringLiteral("OK or Cancel");
constexpr qint64 kCancelIsDefault = 2;
constexpr qint64 kStampKind = 4;

const QString kPicturesFolder = QStringLiteral("ButtonPictures");
const QString kDeletedPictures = QStringLiteral("DeletedPalettePictures");
const QString kFirstPalette = QStringLiteral("P00");

FolderItem childOf(const FolderItem& folder, const QString& name) {
  const FolderItem item = folder.child(name);
  if (item.isNull()) throw IOException(QStringLiteral("\"%1\" cannot name a folder in %2.").arg(name, folder.path()));
  return item;
}

// The folder the deleted palette's pictures go into, made when missing.
FolderItem deletedPicturesFolder(const FolderItem& desktop) {
  const FolderItem target = childOf(desktop, kDeletedPictures);
  if (!target.exists()) target.createFolders();
  if (!target.isFolder()) throw IOException(QStringLiteral("%1 is not a folder.").arg(target.path()));
  return target;
}

// Everything the deletion needs once it has begun, so that it cannot stop half way.
PaletteView& readyToDelete() {
  if (KM::idxCP <= 0 || KM::idxCP >= static_cast<qint64>(KM::DP.size()))
    throw OutOfBoundsException(QStringLiteral("Palette slot %1 cannot be deleted.").arg(KM::idxCP));
  if (!KM::DP.front().complete())
    throw MissingObjectException(QStringLiteral("The first palette does not hold 100 buttons."));
  return KM::PaletteWindow();
}

}  // namespace

namespace PaletteDeletion {

bool allowed() {
  return KM::CountActivePalette() > 1 && KM::paleName.compare(kFirstPalette, Qt::CaseInsensitive) != 0;
}

void clearPictureFolder(const FolderItem& dataFolder, const FolderItem& desktop, const QString& paletteName) {
  const FolderItem folder = childOf(childOf(dataFolder, kPicturesFolder), paletteName);
  if (!folder.exists()) return;
  // Only a folder with no entry at all goes; a plain remove refuses anything else.
  if (folder.isFolder() && folder.childNames().isEmpty()) {
    folder.remove();
    return;
  }
  const FolderItem target = deletedPicturesFolder(desktop);
  // Any entry there takes the name, a link to nothing included, also one that appears
  // meanwhile: the folder then goes one level deeper.
  if (!target.child(paletteName).entryStands() &&
      folder.tryMoveInto(target, paletteName) == FolderItem::MoveResult::Done)
    return;
  const FolderItem stamped = childOf(target, RtrnDateString::rsAlphaDateTime(kStampKind) + paletteName);
  stamped.createFolder();
  try {
    folder.moveInto(stamped, paletteName);
  } catch (const RuntimeException&) {
    // Only the empty folder made for it goes again; a plain remove refuses anything else.
    try {
      stamped.remove();
    } catch (const RuntimeException&) {
    }
    throw;
  }
}

bool confirmAndDelete() {
  if (!RtrnBoolean::rbOKCancel(kConfirmation, kCancelIsDefault, kConfirmationTitle)) return false;
  PaletteView& window = readyToDelete();
  clearPictureFolder(App::current().appSupportFolder, UserFolders::desktop(), KM::paleName);

  KM::BreakBtnLinkToDP();
  KM::DefaultValuesPalette(KM::idxCP);
  KM::DP[static_cast<size_t>(KM::idxCP)].s_Alias = KM::noneMark;
  KM::idxCP = 0;
  KM::ActivatePalette(0);
  KM::ShowCurrentPalette(window);
  KM::paletteActiveChange = true;
  return true;
}

}  // namespace PaletteDeletion
