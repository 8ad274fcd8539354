#pragma once

#include <QtGlobal>
#include <optional>

// The current date and time in the local time zone, read once per call.
namespace Clock {

struct LocalDateTime {
  int year = 0, month = 0, day = 0;  // month and day from 1
  int hour = 0, minute = 0, second = 0;
  qint64 nanosecond = 0;  // of the current second, 0 to 999,999,999
};

LocalDateTime now();

// Tests fix the clock at a moment of their choosing; nullopt restores the real one.
void setNow(std::optional<LocalDateTime> fixed);

}  // namespace Clock
