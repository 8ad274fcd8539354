#include "common/TextCleanup.h"

#include <QTextBoundaryFinder>
#include <algorithm>

#include "common/StringUtils.h"

namespace {

const QString kLongSet = QStringLiteral(",;:.'][()&*");
const QString kShortSet = QStringLiteral(",;:.'][()");
const QString kFillAlphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ");
constexpr qsizetype kNoCut = -1;
constexpr uint kJoiner = 0x200D;

bool isRegionalIndicator(uint c) { return c >= 0x1F1E6 && c <= 0x1F1FF; }
// A subdivision flag's letters, which only its cancel tag (U+E007F) ends.
bool isTagLetter(uint c) { return c >= 0xE0020 && c <= 0xE007E; }

bool beginsWithLetter(const QString& text) {
  if (text.isEmpty()) return false;
  const QString first = text.left(text.at(0).isHighSurrogate() ? 2 : 1);
  return StringUtils::IsLowercase(first) || StringUtils::IsUppercase(first);
}

using Step = QString (*)(const QString&, const QString&, qsizetype);

const Step kSteps[] = {
    [](const QString& t, const QString&, qsizetype) { return t.trimmed(); },
    [](const QString& t, const QString& set, qsizetype) { return StringUtils::Remove(t, set); },
    [](const QString& t, const QString&, qsizetype) {
      return StringUtils::ReplaceDoubledCharWithSingle(t, QStringLiteral(" "));
    },
    [](const QString& t, const QString&, qsizetype) {
      return t.isEmpty() ? StringUtils::Random(2, kFillAlphabet) : t;
    },
    [](const QString& t, const QString&, qsizetype) { return beginsWithLetter(t) ? t : "A" + t; },
    [](const QString& t, const QString&, qsizetype cut) {
      return cut == kNoCut ? t : TextCleanup::leftCharacters(t, cut);
    },
};

QString onePass(QString text, const QString& set, qsizetype cut) {
  for (const Step step : kSteps) text = step(text, set, cut);
  return text;
}

}  // namespace

namespace TextCleanup {

qsizetype characters(const QString& text) { return text.toUcs4().size(); }

QString leftCharacters(const QString& text, qsizetype count) {
  if (count <= 0) return {};
  if (text.size() <= count) return text;  // no more code points than units
  QTextBoundaryFinder clusters(QTextBoundaryFinder::Grapheme, text);
  qsizetype kept = 0, points = 0;
  for (qsizetype end = clusters.toNextBoundary(); end > kept; end = clusters.toNextBoundary()) {
    points += characters(text.mid(kept, end - kept));
    if (points > count) break;
    kept = end;
  }
  return text.left(kept);
}

bool endsUnfinished(const QString& text, const QString& next) {
  const QList<uint> last = text.mid(lastCharacterStart(text)).toUcs4();
  if (last.isEmpty()) return false;
  if (last.last() == kJoiner || isTagLetter(last.last())) return true;
  const bool joined = last.contains(kJoiner);
  const bool waitingForPair = last.size() == 1 && isRegionalIndicator(last.first());
  return (joined || waitingForPair) && continuing(text, next) > 0;
}

qsizetype lastCharacterStart(const QString& text) {
  if (text.isEmpty()) return 0;
  QTextBoundaryFinder clusters(QTextBoundaryFinder::Grapheme, text);
  clusters.toEnd();
  return std::max<qsizetype>(clusters.toPreviousBoundary(), 0);
}

qsizetype continuing(const QString& text, const QString& next) {
  if (text.isEmpty() || next.isEmpty()) return 0;
  QTextBoundaryFinder clusters(QTextBoundaryFinder::Grapheme, text + next);
  clusters.setPosition(text.size());
  if (clusters.isAtBoundary()) return 0;
  return clusters.toNextBoundary() - text.size();
}

QString leftCodePoints(const QString& text, qsizetype count) {
  if (count <= 0) return {};
  qsizetype units = 0;
  for (qsizetype seen = 0; units < text.size() && seen < count; ++seen)
    units += text.at(units).isHighSurrogate() && units + 1 < text.size() ? 2 : 1;
  return text.left(units);
}

QString title(const QString& text) { return onePass(text, kLongSet, kTitleLength); }

QString titleSettled(const QString& text, const Change& onChange) {
  QString current = text;
  for (;;) {
    bool changed = false;
    for (const Step step : kSteps) {
      QString next = step(current, kLongSet, kTitleLength);
      if (next != current) {
        if (onChange) onChange(current, next);
        current = next;
        changed = true;
        break;
      }
    }
    // Every change shortens the text or gives it a leading letter, so this ends.
    if (!changed) return current;
  }
}

QString newAlias(const QString& text) { return onePass(text, kShortSet, kNoCut); }

QString changedAlias(const QString& text) { return onePass(text, kLongSet, kChangedAliasLength); }

QString withUniquenessSuffix(const QString& alias, const QStringList& takenAliases) {
  QString candidate = alias;
  for (int n = 1; takenAliases.contains(candidate, Qt::CaseInsensitive); ++n)
    candidate += QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
  return candidate;
}

}  // namespace TextCleanup
