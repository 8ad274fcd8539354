#include "common/DisplayText.h"

#include "common/TextCleanup.h"

namespace DisplayText {

QString shown(const QString& text) {
  // Only a text longer in units can be longer in characters.
  if (text.size() <= kMaxShownCharacters) return text;
  const QString cut = TextCleanup::leftCharacters(text, kMaxShownCharacters);
  return cut.size() == text.size() ? text : cut + QStringLiteral("\u2026");
}

QString windowTitle(const QString& text) {
  QString title = shown(text);
  // Qt drops a lone "[*]" from a title; "[*][*]" shows as "[*]".
  title.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
  return title;
}

}  // namespace DisplayText
