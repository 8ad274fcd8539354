#include "common/TitleField.h"

#include <QLineEdit>
#include <algorithm>

#include "common/TextCleanup.h"

void settleTitleField(QLineEdit& field) {
  const QString text = field.text();
  const QString settled = TextCleanup::titleSettled(text);
  if (settled == text) return;
  const int caret = field.cursorPosition() - static_cast<int>(text.size() - settled.size());
  field.setText(settled);
  field.setCursorPosition(std::clamp(caret, 0, static_cast<int>(settled.size())));
}
