#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// The rules a palette's alias and window title pass before they are stored. Every count is
// in characters (code points), and a cut never splits what the eye reads as one character.
namespace TextCleanup {

inline constexpr qsizetype kTitleLength = 25;
inline constexpr qsizetype kChangedAliasLength = 23;

// The number of characters in the text.
qsizetype characters(const QString& text);
// The text's start of at most `count` characters. It never ends inside a character as the
// eye reads it (a flag, an emoji with its skin tone or joiners, a letter with its accents):
// one that does not fit whole is left out whole.
QString leftCharacters(const QString& text, qsizetype count);
// Whether the text's last character is still being put together, so that it goes when what
// was to come next (`next`) cannot: it ends in a joiner or a flag's tag letters, or it is a
// joined sequence or a lone regional indicator that `next` would go on with. A character that
// stands on its own (an emoji that `next` would give a skin tone) is finished.
bool endsUnfinished(const QString& text, const QString& next);
// Where the text's last character, as the eye reads it, begins.
qsizetype lastCharacterStart(const QString& text);
// How many units at the front of `next` would go on with the last character of `text`
// rather than begin a character of their own.
qsizetype continuing(const QString& text, const QString& next);
// The first `count` code points, as a name's leading characters are read.
QString leftCodePoints(const QString& text, qsizetype count);

// One pass of the title rules: trimmed, without ",;:.'][()&*", single spaces, two random
// capitals when empty, "A" in front unless it begins with A-Z or a-z, at most 25 characters.
QString title(const QString& text);
// What a title field holds once it settles: the rules start again from the first whenever
// one of them changed the text, until a whole pass changes nothing. Each change is told to
// `onChange` with the text before and after it; it may have the cut at 25 characters keep a
// different start of the text, of no more than 25 characters.
using Change = std::function<void(const QString& before, QString& after)>;
QString titleSettled(const QString& text, const Change& onChange = {});
// A new palette's alias: the same rules with "&" and "*" kept and no cut.
QString newAlias(const QString& text);
// A changed alias: the title rules, cut at 23 characters.
QString changedAlias(const QString& text);

// The alias with "01", "02", … appended, the counters accumulating ("X01", "X0102"), until
// none of the taken aliases equals it in any letter case.
QString withUniquenessSuffix(const QString& alias, const QStringList& takenAliases);

}  // namespace TextCleanup
