#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>
#include <vector>

// Puts right, at start, every move, copy and save that a kill or a power cut stopped half way,
// as their records tell: a move whose copy was in place is finished, any other is undone, so
// that each entry is whole, once, under its own name. A record acts only on proof:
// - it was written for this data folder, and each kind acts only where its kind of move
//   does (a deletion from a palette's picture folder to "DeletedPalettePictures" on the
//   Desktop it was written for; a picture to that Desktop or the folders made there; Add
//   Picture's copy into a picture folder; a save beside the state file), reaching every path
//   without following a link;
// - an entry is removed or renamed only when it is provably the one the move made or moved,
//   by its name and by what identifies it, birth time included, since inode numbers are reused;
// - what cannot be read or found is unknown, not absent: the record then stays, and the user is
//   told only what was shown and where the entries are.
// Runs only while this start holds the data folder's lock; describe() tells what waits without.
namespace MoveRecovery {

namespace fs = std::filesystem;

// A palette deletion that a stop interrupted, for the store once it is loaded.
struct Deletion {
  enum class Decision {
    Deleted,            // its pictures are where the deletion put them: the slot is freed
    Kept,               // its pictures are back, whole, in its folder
    KeptPicturesGone,   // its pictures are neither in its folder nor where they were sent
    Waiting,            // where its pictures are cannot be shown yet: the record stays
  };
  QString palette;  // its Name/ID, the name of its picture folder
  fs::path record;
  fs::path folder;      // the palette's picture folder
  fs::path picturesAt;  // where its pictures were sent
  Decision decision = Decision::Waiting;
  // Something of its move is still to be put right: the record stays, whatever is decided.
  bool recordStays = false;
  // The decision was told at an earlier start, which could not remove the record.
  bool alreadyTold = false;
};

struct Outcome {
  QStringList putRight;    // said once
  QStringList stillLeft;   // said at every start until it is put right
  QStringList notActedOn;  // records left as they are, and why, with the entries they name
  // Entries under the program's own names that no record accounts for, left where they are.
  QStringList unaccounted;
  std::vector<Deletion> deletions;
};

// `desktop` is the Desktop the user's settings name now, for records that do not name theirs.
Outcome recover(const fs::path& desktop);
// Acts on nothing: each record, as waiting, with the entries under the program's own names
// that it names, and the entries no record accounts for.
Outcome describe(const fs::path& desktop);

}  // namespace MoveRecovery
