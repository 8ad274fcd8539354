#include "common/StringUtils.h"

#include <QSet>
#include <algorithm>
#include <vector>

#include "common/ErrorGuard.h"
#include "platform/RandomSeed.h"

namespace {

ReportLocation at(const QString& method) { return ReportLocation::moduleMethod("StringUtils", method); }

bool allWithin(const QString& text, char32_t low, char32_t high) {
  for (const char32_t c : text.toUcs4())
    if (c < low || c > high) return false;
  return true;
}

}  // namespace

namespace StringUtils {

QString Remove(const QString& text, const QString& characters) {
  return guarded(at("Remove"), [&] {
    if (text.toUtf8().size() < 2) return text;
    QSet<char32_t> dropped;
    for (const char32_t c : characters.toUcs4()) dropped.insert(QChar::toCaseFolded(c));
    const QList<uint> chars = text.toUcs4();
    std::vector<char32_t> kept;
    kept.reserve(static_cast<std::size_t>(chars.size()));
    for (const char32_t c : chars)
      if (!dropped.contains(QChar::toCaseFolded(c))) kept.push_back(c);
    return QString::fromUcs4(kept.data(), static_cast<qsizetype>(kept.size()));
  });
}

QString Random(qint64 count, const QString& characterSet) {
  return guarded(at("Random"), [&] {
    const QList<uint> set = characterSet.toUcs4();
    if (count < 1 || set.isEmpty()) return QString();
    static std::vector<char32_t> scratch;  // kept between calls; every call overwrites what it uses
    scratch.resize(static_cast<std::size_t>(count));
    std::uniform_int_distribution<qsizetype> position(0, set.size() - 1);
    for (char32_t& c : scratch) c = set.at(position(RandomSeed::generator()));
    return QString::fromUcs4(scratch.data(), static_cast<qsizetype>(count));
  });
}

bool IsPosInteger(const QString& text) {
  return guarded(at("IsPosInteger"), [&] { return allWithin(text, '0', '9'); });
}

bool IsUppercase(const QString& text) {
  return guarded(at("IsUppercase"), [&] { return !text.isEmpty() && allWithin(text, 'A', 'Z'); });
}

bool IsLowercase(const QString& text) {
  return guarded(at("IsLowercase"), [&] { return !text.isEmpty() && allWithin(text, 'a', 'z'); });
}

QString ReplaceDoubledCharWithSingle(const QString& text, const QString& character) {
  return guarded(at("ReplaceDoubledCharWithSingle"), [&] {
    if (character.isEmpty()) return text;
    const QString pair = character + character;
    QString out = text;
    while (out.contains(pair, Qt::CaseInsensitive)) out.replace(pair, character, Qt::CaseInsensitive);
    return out;
  });
}

bool lessByCodePoint(const QString& a, const QString& b) {
  const QList<uint> left = a.toUcs4();
  const QList<uint> right = b.toUcs4();
  return std::lexicographical_compare(left.begin(), left.end(), right.begin(), right.end());
}

}  // namespace StringUtils
