#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>
#include <vector>

// Puts right, at start, every move and copy that a kill or a power cut stopped half way, as
// their records tell: a move whose copy was in place is finished, any other is undone, so
// that each entry is whole, once, under its own name. A record is acted on only when it was
// written for this data folder, and an entry is removed or renamed only when it lies in the
// data folder or on the Desktop and is provably the one the move made or moved: by its name
// and by what identifies it on its file system. Runs only while this start holds the data
// folder's lock.
namespace MoveRecovery {

namespace fs = std::filesystem;

// A palette deletion that a stop interrupted, for the store once it is loaded.
struct Deletion {
  QString palette;  // its Name/ID, the name of its picture folder
  fs::path record;
  fs::path folder;      // the palette's picture folder
  fs::path picturesAt;  // where its pictures were sent
  // Its pictures have left its folder, so its slot is to be freed; otherwise the palette
  // and its pictures stay.
  bool picturesGone = false;
};

struct Outcome {
  QStringList putRight;    // said once
  QStringList stillLeft;   // said at every start until it is put right
  QStringList notActedOn;  // records left as they are, and why
  std::vector<Deletion> deletions;
};

Outcome recover(const fs::path& desktop);

}  // namespace MoveRecovery
