#include "common/TypingLimit.h"

#include <QValidator>
#include <algorithm>

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

// What stays of `added`, put in after `start`, when `room` characters of it fit: as much as fits
// in whole characters. A character being put together key by key that the refused rest would
// have gone on with goes whole, as it would have gone had it come in one piece; one that stands
// on its own stays.
struct Fitted {
  QString start;
  QString refused;
  bool unfinished = false;  // whether `refused` begins with such a character of `start`
};

Fitted fit(const QString& start, const QString& added, qsizetype room) {
  const QString fits = TextCleanup::leftCharacters(added, room);
  Fitted f{start + fits, added.mid(fits.size())};
  while (TextCleanup::endsUnfinished(f.start, f.refused)) {
    const qsizetype from = TextCleanup::lastCharacterStart(f.start);
    f.refused.prepend(f.start.mid(from));
    f.start.truncate(from);
    f.unfinished = true;
  }
  return f;
}

// Qt asks after every edit whether the new text may stand. An edit is the text before it with
// one stretch replaced: what follows the caret is the unchanged end, what the two texts share
// in front is the unchanged start, and between them lies what the user put in.
class CharacterLimit : public QValidator {
 public:
  CharacterLimit(QLineEdit* field, qsizetype limit)
      : QValidator(field), field_(field), limit_(limit), before_(field->text()) {
    connect(field, &QLineEdit::textChanged, this, [this](const QString& text) {
      previous_ = before_;
      before_ = text;
      if (text != cutShort_.text) cutShort_ = {};
    });
  }

  State validate(QString& input, int& pos) const override {
    if (field_->property(kWritingWhole).toBool() || input == before_) return Acceptable;
    QString tail = input.mid(pos);
    if (!before_.endsWith(tail)) tail.clear();
    const qsizetype head = commonPrefix(input.left(pos), before_.left(before_.size() - tail.size()));
    QString added = input.mid(head, input.size() - tail.size() - head);
    // The rest of a character left out here is left out with it, however much room it left.
    if (head == cutShort_.at && before_ == cutShort_.text && head + tail.size() == before_.size()) {
      const qsizetype going = TextCleanup::continuing(cutShort_.character, added);
      if (going == added.size()) {
        cutShort_.character += added;
        return Invalid;
      }
      if (going > 0) {
        added.remove(0, going);
        input = input.left(head) + added + tail;
        pos = static_cast<int>(head + added.size());
      }
    }
    if (TextCleanup::characters(input) <= limit_) return Acceptable;
    const QString start = input.left(head);
    const Fitted kept = fit(start, added, limit_ - TextCleanup::characters(start) - TextCleanup::characters(tail));
    const QString fitted = kept.start + tail;
    if (kept.unfinished) cutShort_ = {kept.refused, fitted, kept.start.size()};
    // Nothing of it fits: the edit is refused and the field stays as it was, unchanged.
    if (fitted == before_) return Invalid;
    input = fitted;
    pos = static_cast<int>(kept.start.size());
    return Acceptable;
  }

  const QString& previous() const { return previous_; }

  void cutShort(const QString& character) const {
    cutShort_ = {character, field_->text(), field_->cursorPosition()};
  }

 private:
  // A character the field left out at `at` while it was being typed, and the text it left.
  struct CutShort {
    QString character;
    QString text;
    qsizetype at = -1;
  };

  const QLineEdit* field_;
  qsizetype limit_;
  QString before_;
  QString previous_;  // what the field held before its latest change
  mutable CutShort cutShort_;
};

}  // namespace

namespace TypingLimit {

void apply(QLineEdit* field, int limit) { field->setValidator(new CharacterLimit(field, limit)); }

void setWholeText(QLineEdit* field, const QString& text) {
  field->setProperty(kWritingWhole, true);
  field->setText(text);
  field->setProperty(kWritingWhole, false);
}

Cut cutAtEnd(const QLineEdit& field, const QString& text, qsizetype limit) {
  const auto* typing = dynamic_cast<const CharacterLimit*>(field.validator());
  const QString previous = typing ? typing->previous() : QString();
  const qsizetype head = std::min(commonPrefix(text, previous), TextCleanup::leftCodePoints(text, limit).size());
  const QString start = text.left(head);
  const Fitted kept = fit(start, text.mid(head), limit - TextCleanup::characters(start));
  return {kept.start, kept.unfinished ? kept.refused : QString()};
}

void cutShort(QLineEdit* field, const QString& character) {
  if (const auto* limit = dynamic_cast<const CharacterLimit*>(field->validator())) limit->cutShort(character);
}

}  // namespace TypingLimit
