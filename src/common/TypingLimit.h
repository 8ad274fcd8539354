#pragma once

#include <QLineEdit>
#include <QString>

// A typing limit for a text field that, unlike a plain maximum length, leaves a longer text
// put in by the program whole: stored texts may be longer than what may be typed, and
// cutting them in the field would change them behind the user's back. Such a text may be
// shortened; typing lengthens a text only up to the limit.
namespace TypingLimit {

void apply(QLineEdit* field, int limit);

// Puts the text into a field with a typing limit, whole however long.
void setWholeText(QLineEdit* field, const QString& text);

}  // namespace TypingLimit
