#include "common/TypingLimit.h"

#include <QVariant>
#include <algorithm>

namespace {
const char* const kLimit = "typingLimit";

// The field's maximum length follows its text down to the limit, never below what it holds.
void fit(QLineEdit* field, qsizetype length) {
  const int limit = field->property(kLimit).toInt();
  field->setMaxLength(static_cast<int>(std::max<qsizetype>(limit, length)));
}
}  // namespace

namespace TypingLimit {

void apply(QLineEdit* field, int limit) {
  field->setProperty(kLimit, limit);
  fit(field, field->text().size());
  QObject::connect(field, &QLineEdit::textChanged, field, [field] { fit(field, field->text().size()); });
}

void setWholeText(QLineEdit* field, const QString& text) {
  fit(field, text.size());
  field->setText(text);
}

}  // namespace TypingLimit
