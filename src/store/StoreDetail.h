#pragma once

#include <QString>
#include <optional>

#include "common/ReportLocation.h"
#include "store/PaletteRecord.h"

// Helpers shared by the store's own sources; not for windows.
namespace KM::detail {

inline constexpr int kButtonCount = static_cast<int>(PaletteRecord::buttonCount);

// n with at least two digits: 7 -> "07", 100 -> "100".
inline QString twoDigits(qint64 n) { return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')); }

// Where a KM operation reports its errors.
inline ReportLocation kmMethod(const char* method) { return ReportLocation::moduleMethod("KM", method); }

// JSON_ParseData, answering how many elements after the last palette entry it ignored;
// nothing after the report.
std::optional<qint64> parseStateText(const QString& text);

// DP[i], or OutOfBoundsException.
PaletteRecord& recordAt(qint64 i);
// DP[i] when it holds all its buttons; else OutOfBoundsException or MissingObjectException.
const PaletteRecord& completeRecordAt(qint64 i);

}  // namespace KM::detail
