#pragma once

#include <QStringList>

// Puts right, at start, every move and copy that a kill or a power cut stopped half way, as
// their records tell: a move whose copy was in place is finished, any other is undone, so
// that each entry is whole, once, under its own name. Only the entries a record names are
// touched, and only when they are what the move made.
namespace MoveRecovery {

// One line a record, for the user: where the entry is now. A record that cannot be put right
// stays, and is tried again at the next start.
QStringList recover();

}  // namespace MoveRecovery
