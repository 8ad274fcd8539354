#include "common/TitleField.h"

#include <QLineEdit>

#include "common/TextCleanup.h"
#include "common/TypingLimit.h"

namespace {

// Where the caret stands once one rule has changed the text. A rule either takes characters
// away, leaving the others in order, or puts letters in front of the text.
int caretAfter(const QString& before, const QString& after, int caret) {
  qsizetype matched = 0, keptBeforeCaret = 0;
  for (qsizetype i = 0; i < before.size() && matched < after.size(); ++i) {
    if (before.at(i) != after.at(matched)) continue;
    ++matched;
    if (i < caret) ++keptBeforeCaret;
  }
  if (matched == after.size()) return static_cast<int>(keptBeforeCaret);
  return caret + static_cast<int>(after.size() - before.size());
}

}  // namespace

void settleTitleField(QLineEdit& field) {
  const QString text = field.text();
  int caret = field.cursorPosition();
  QString unfinished;
  const QString settled = TextCleanup::titleSettled(text, [&](const QString& before, QString& after) {
    // The length rule took what the user was typing at the end: it takes it as a typing limit
    // would, so a refused key leaves a character that was whole before it in place.
    if (caret > after.size() && after == TextCleanup::leftCharacters(before, TextCleanup::kTitleLength)) {
      const TypingLimit::Cut cut = TypingLimit::cutAtEnd(field, before, TextCleanup::kTitleLength);
      after = cut.kept;
      unfinished = cut.unfinished;
    }
    caret = caretAfter(before, after, caret);
  });
  if (settled == text) return;
  field.setText(settled);
  field.setCursorPosition(caret);
  if (!unfinished.isEmpty()) TypingLimit::cutShort(&field, unfinished);
}

void limitTitleTyping(QLineEdit& field) {
  TypingLimit::apply(&field, static_cast<int>(TextCleanup::kTitleLength));
}
