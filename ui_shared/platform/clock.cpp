// The system clock as a date serial.
#include "ui_shared/platform/clock.h"

#include <ctime>

#include "ui_shared/platform/dates.h"

namespace kw {

double Clock::Now() const {
  const std::time_t t = std::time(nullptr);
  std::tm local{};
  localtime_r(&t, &local);
  return dates::Serial(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                       local.tm_sec);
}

}  // namespace kw
