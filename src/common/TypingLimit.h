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

// What a cut at the end of a field's text keeps, and what it left out when that took a character
// still being put together, for cutShort; empty when it took none.
struct Cut {
  QString kept;
  QString unfinished;
};

// The field's own rules cut `text`, what its latest change left as they have it, to `limit`
// characters at the end. What stood in the field before that change goes no further than the
// limit; what the change put in is cut as the limit cuts it. So a key refused there takes with it
// only a character still being put together, never one that stands on its own.
Cut cutAtEnd(const QLineEdit& field, const QString& text, qsizetype limit);

// The field's own rules have just left out, for want of room, the character that stood before
// the caret: the pieces typed after it are left out with it, as the limit's own are.
void cutShort(QLineEdit* field, const QString& character);

}  // namespace TypingLimit
