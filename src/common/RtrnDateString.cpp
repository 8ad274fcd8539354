#include "common/RtrnDateString.h"

#include "common/ErrorGuard.h"
#include "platform/Clock.h"

namespace {

const QString kBase36Digits = QStringLiteral("0123456789abcdefghijklmnopqrstuvwxyz");

QString padded(qint64 value, int width) { return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0')); }

QString nextLetters() {
  using namespace RtrnDateString;
  if (extraLetterAscii1 == 0) extraLetterAscii1 = 'A';
  if (extraLetterAscii2 == 0) extraLetterAscii2 = 'a';
  if (extraLetterAscii2 > 'z') {
    extraLetterAscii2 = 'a';
    ++extraLetterAscii1;
  }
  if (extraLetterAscii1 > 'Z') {
    extraLetterAscii1 = 'A';
    extraLetterAscii2 = 'a';
  }
  const QString letters = QString(QChar(extraLetterAscii1)) + QChar(extraLetterAscii2);
  ++extraLetterAscii2;
  return letters;
}

QString base36Time(const Clock::LocalDateTime& t) {
  constexpr qint64 kSixDigits = 2176782336;  // 36^6
  qint64 ms = (t.hour * 3600000LL + t.minute * 60000LL + t.second * 1000LL + t.nanosecond / 1000000) % kSixDigits;
  QString digits(6, QLatin1Char('0'));
  for (int i = 5; i >= 0; --i, ms /= 36) digits[i] = kBase36Digits.at(ms % 36);
  return digits;
}

}  // namespace

namespace RtrnDateString {

QString rsAlphaDateTime(qint64 form) {
  return guarded(ReportLocation::moduleMethod("RtrnDateString", "rsAlphaDateTime"), [&] {
    const Clock::LocalDateTime t = Clock::now();  // one reading for every piece
    const QString yyyy = QString::number(t.year);
    const QString yy = padded(t.year % 100, 2);
    const QString MM = padded(t.month, 2), dd = padded(t.day, 2);
    const QString hh = padded(t.hour, 2), mm = padded(t.minute, 2), ss = padded(t.second, 2);
    const QString date = yy + MM + dd;
    const QString stamp4 = date + "_" + hh + mm + ss;
    switch (form) {
      case 1: return date;
      case 2: return date + "_" + hh;
      case 3: return date + "_" + hh + mm;
      case 5: return date + hh + mm;
      case 6: return yyyy + "." + MM + "." + dd;
      case 7: return stamp4 + nextLetters();
      case 8: return MM + "/" + dd + "/" + yyyy + " " + hh + ":" + mm + ":" + ss;
      case 9: return yyyy + MM + dd + "_" + hh + mm + ss;
      case 10: return stamp4 + "_" + padded(t.nanosecond, 9);
      // The quotients are cut, not rounded, so the stamp keeps its width at the end of a second.
      case 11: return stamp4 + "_" + padded(t.nanosecond / 1000, 6);
      case 12: return stamp4 + "_" + padded(t.nanosecond / 1000000, 3);
      case 13: return date + "_" + base36Time(t);
      default: return stamp4;
    }
  });
}

}  // namespace RtrnDateString
