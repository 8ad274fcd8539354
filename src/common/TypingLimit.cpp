#include "common/TypingLimit.h"

#include <QValidator>

#include "common/TextCleanup.h"

namespace {

const char* const kWritingWhole = "typingLimitWritingWhole";

// In whole characters: two characters that share their first half share nothing.
qsizetype commonPrefix(const QString& a, const QString& b) {
  qsizetype n = 0;
  while (n < a.size() && n < b.size() && a.at(n) == b.at(n)) ++n;
  if (n > 0 && a.at(n - 1).isHighSurrogate()) --n;
  return n;
}

// Qt asks after every edit whether the new text may stand. An edit is the text before it with
// one stretch replaced: what follows the caret is the unchanged end, what the two texts share
// in front is the unchanged start, and between them lies what the user put in.
class CharacterLimit : public QValidator {
 public:
  CharacterLimit(QLineEdit* field, qsizetype limit)
      : QValidator(field), field_(field), limit_(limit), before_(field->text()) {
    connect(field, &QLineEdit::textChanged, this, [this](const QString& text) { before_ = text; });
  }

  State validate(QString& input, int& pos) const override {
    if (field_->property(kWritingWhole).toBool() || input == before_ || TextCleanup::characters(input) <= limit_)
      return Acceptable;
    QString tail = input.mid(pos);
    if (!before_.endsWith(tail)) tail.clear();
    const qsizetype head = commonPrefix(input.left(pos), before_.left(before_.size() - tail.size()));
    const QString added = input.mid(head, input.size() - tail.size() - head);
    const qsizetype room = limit_ - TextCleanup::characters(input.left(head)) - TextCleanup::characters(tail);
    const QString kept = TextCleanup::leftCharacters(added, room);
    const QString fitted = input.left(head) + kept + tail;
    // Nothing of it fits: the edit is refused and the field stays as it was, unchanged.
    if (fitted == before_) return Invalid;
    input = fitted;
    pos = static_cast<int>(head + kept.size());
    return Acceptable;
  }

 private:
  const QLineEdit* field_;
  qsizetype limit_;
  QString before_;
};

}  // namespace

namespace TypingLimit {

void apply(QLineEdit* field, int limit) { field->setValidator(new CharacterLimit(field, limit)); }

void setWholeText(QLineEdit* field, const QString& text) {
  field->setProperty(kWritingWhole, true);
  field->setText(text);
  field->setProperty(kWritingWhole, false);
}

}  // namespace TypingLimit
