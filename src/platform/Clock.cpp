#include "platform/Clock.h"

#include <chrono>
#include <ctime>

namespace Clock {
namespace {
std::optional<LocalDateTime>& fixedNow() {
  static std::optional<LocalDateTime> value;
  return value;
}
}  // namespace

LocalDateTime now() {
  if (fixedNow()) return *fixedNow();
  const auto since = std::chrono::system_clock::now().time_since_epoch();
  const auto seconds = std::chrono::floor<std::chrono::seconds>(since);
  const std::time_t t = static_cast<std::time_t>(seconds.count());
  std::tm local{};
  localtime_r(&t, &local);
  LocalDateTime out;
  out.year = local.tm_year + 1900;
  out.month = local.tm_mon + 1;
  out.day = local.tm_mday;
  out.hour = local.tm_hour;
  out.minute = local.tm_min;
  out.second = local.tm_sec > 59 ? 59 : local.tm_sec;  // a leap second stays within the minute
  out.nanosecond = std::chrono::duration_cast<std::chrono::nanoseconds>(since - seconds).count();
  return out;
}

void setNow(std::optional<LocalDateTime> fixed) { fixedNow() = fixed; }

}  // namespace Clock
