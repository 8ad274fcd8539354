#include "manage/PaletteDeletion.h"

#include "app/App.h"
#include "common/RtrnDateString.h"
#include "common/RuntimeException.h"
#include "common/winOKCancel.h"
#include "platform/EntryMove.h"
#include "platform/EntryTree.h"
#include "platform/MoveRecord.h"
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
const QString kDeletedAsAsked = QStringLiteral(
    "The palette %1 (%2) is deleted, as you asked before Tavelin was stopped. Its pictures are at %3.");
const QString kKept = QStringLiteral(
    "The palette %1 (%2) is not deleted: Tavelin was stopped before its pictures had left %3, so the palette and "
    "its pictures are kept.");
const QString kKeptPicturesGone = QStringLiteral(
    "The palette %1 (%2) is not deleted: its pictures are neither in %3 nor at %4, where they were being sent, so "
    "the palette is kept.");
const QString kWaiting = QStringLiteral(
    "The palette %1 (%2) is kept until its pictures are shown to have left %3; Tavelin looks again at its next start.");

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
  // One record for the whole deletion, its move included, that acts only on the palettes as
  // they are saved now: a save since holds the list without the palette.
  MoveRecord::Writer record("delete", folder.fsPath(), childOf(target, paletteName).fsPath());
  record.begin();
  try {
    record.note("state", {EntryTree::stampOf(childOf(dataFolder, KM::stateFileName).fsPath())});
    // Any entry there takes the name, a link to nothing included, also one that appears
    // meanwhile: the folder then goes one level deeper.
    if (target.child(paletteName).entryStands() ||
        EntryMove::move(folder.fsPath(), childOf(target, paletteName).fsPath(), record) != EntryMove::Result::Done) {
      const FolderItem stamped = childOf(target, RtrnDateString::rsAlphaDateTime(kStampKind) + paletteName);
      record.note("aim", {childOf(stamped, paletteName).fsPath()});
      stamped.createFolder();
      try {
        if (EntryMove::move(folder.fsPath(), childOf(stamped, paletteName).fsPath(), record) != EntryMove::Result::Done)
          throw IOException(QStringLiteral("%1 already exists.").arg(stamped.child(paletteName).path()));
      } catch (const RuntimeException&) {
        // Only the empty folder made for it goes again; a plain remove refuses anything else.
        try {
          stamped.remove();
        } catch (const RuntimeException&) {
        }
        throw;
      }
    }
  } catch (const RuntimeException&) {
    // The palette stays: what its record keeps is only the move's, to be put right.
    if (record.kept()) {
      try {
        record.note("failed");
      } catch (const RuntimeException&) {
      }
    }
    record.finish();
    throw;
  }
  record.keep();
  record.finish();
  MoveRecord::awaitSave(record.file());
}

void freeSlot(qint64 index) {
  const bool current = index == KM::idxCP;
  if (current) KM::BreakBtnLinkToDP();
  KM::DefaultValuesPalette(index);
  KM::DP.at(static_cast<size_t>(index)).s_Alias = KM::noneMark;
  if (current) {
    KM::idxCP = 0;
    KM::ActivatePalette(0);
  }
  KM::paletteActiveChange = true;
}

void finishInterrupted(const std::vector<MoveRecovery::Deletion>& deletions, QStringList& putRight,
                       QStringList& stillLeft) {
  using Decision = MoveRecovery::Deletion::Decision;
  for (const MoveRecovery::Deletion& deletion : deletions) {
    // The first palette is never deleted, and a freed slot was saved freed already.
    qint64 slot = -1;
    for (qint64 i = 1; i < static_cast<qint64>(KM::DP.size()); ++i)
      if (KM::DP[static_cast<size_t>(i)].s_Name.compare(deletion.palette, Qt::CaseInsensitive) == 0 &&
          KM::DP[static_cast<size_t>(i)].s_Alias != KM::noneMark)
        slot = i;
    const QString alias = slot < 0 ? QString() : KM::DP[static_cast<size_t>(slot)].s_Alias;
    const QString folder = EntryTree::shown(deletion.folder);
    const QString sent = EntryTree::shown(deletion.picturesAt);
    QStringList& told = deletion.alreadyTold ? stillLeft : putRight;
    switch (deletion.decision) {
      case Decision::Deleted:
        if (slot >= 0) {
          freeSlot(slot);
          putRight << kDeletedAsAsked.arg(deletion.palette, alias, sent);
        }
        MoveRecord::awaitSave(deletion.record);
        continue;
      case Decision::Waiting:
        if (slot >= 0) stillLeft << kWaiting.arg(deletion.palette, alias, folder);
        continue;
      case Decision::Kept:
        if (slot >= 0 && !deletion.alreadyTold) told << kKept.arg(deletion.palette, alias, folder);
        break;
      case Decision::KeptPicturesGone:
        if (slot >= 0) told << kKeptPicturesGone.arg(deletion.palette, alias, folder, sent);
        break;
    }
    if (deletion.recordStays) continue;
    try {
      MoveRecord::remove(deletion.record);
    } catch (const RuntimeException& error) {
      // Said at every start until it goes; the next start decides alike, since nothing changed.
      stillLeft << EntryTree::asSentence(error.message());
    }
  }
}

bool confirmAndDelete() {
  if (!RtrnBoolean::rbOKCancel(kConfirmation, kCancelIsDefault, kConfirmationTitle)) return false;
  PaletteView& window = readyToDelete();
  clearPictureFolder(App::current().appSupportFolder, UserFolders::desktop(), KM::paleName);

  freeSlot(KM::idxCP);
  KM::ShowCurrentPalette(window);
  return true;
}

}  // namespace PaletteDeletion
