#pragma once

#include <QString>

// Small text functions behind the program's naming rules. A character is one code point;
// comparisons ignore letter case.
namespace StringUtils {

// The text without any of the given characters; a text shorter than two bytes comes back
// unchanged.
QString Remove(const QString& text, const QString& characters);

// count characters drawn independently and evenly from the set; the empty text for a
// count below 1 or an empty set.
QString Random(qint64 count, const QString& characterSet);

// True when every character is a digit 0-9 (also for the empty text).
bool IsPosInteger(const QString& text);
// True when the text is not empty and every character is A-Z.
bool IsUppercase(const QString& text);
// True when the text is not empty and every character is a-z.
bool IsLowercase(const QString& text);

// Every run of the character reduced to one; an empty character leaves the text unchanged.
QString ReplaceDoubledCharWithSingle(const QString& text, const QString& character);

// Orders texts by their code points, so that a character beyond U+FFFF sorts after every
// other (UTF-16 units would put it before U+E000 to U+FFFF).
bool lessByCodePoint(const QString& a, const QString& b);

}  // namespace StringUtils
