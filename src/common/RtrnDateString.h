#pragma once

#include <QString>

namespace RtrnDateString {

// The letter pair of form 7: the codes of a capital and a small letter, 0 before the first
// form-7 stamp of the run.
inline int extraLetterAscii1 = 0;
inline int extraLetterAscii2 = 0;

// The current local date and time as a stamp of form 1 to 13 (any other number: form 4,
// yyMMdd_hhmmss).
QString rsAlphaDateTime(qint64 form);

}  // namespace RtrnDateString
