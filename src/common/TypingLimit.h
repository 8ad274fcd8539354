#pragma once

#include <QLineEdit>
#include <QString>

// A typing limit in characters (code points) for a text field. What the user types, pastes
// or drops is cut to what fits, never inside a character; a key typed into a full field
// changes nothing. A longer text put in by the program stays whole: stored texts may be
// longer than what may be typed, and cutting them in the field would change them behind the
// user's back. Such a text may be shortened; typing lengthens a text only up to the limit.
// A character typed piece by piece (a flag, a family of emoji joined) that a refused piece
// would have gone on with is left out whole, and so are the pieces typed after it.
namespace TypingLimit {

void apply(QLineEdit* field, int limit);

// Puts the text into a field with a typing limit, whole however long. The program's longer
// writes go through here; its shorter ones may use setText.
void setWholeText(QLineEdit* field, const QString& text);

// The field's own rules have just left out, for want of room, the character that stood before
// the caret: the pieces typed after it are left out with it, as the limit's own are.
void cutShort(QLineEdit* field, const QString& character);

}  // namespace TypingLimit
