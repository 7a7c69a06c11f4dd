// The system clock as a date serial.
#include "ui_shared/platform/clock.h"

#include <ctime>

#include "ui_shared/platform/dates.h"

namespace kw {

double Clock::Now() const {
  // The local time of a second is worked out once: rules ask for it several times a record.
  thread_local std::time_t last_second = -1;
  thread_local double last_serial = 0;
  const std::time_t t = std::time(nullptr);
  if (t == last_second) return last_serial;
  std::tm local{};
  localtime_r(&t, &local);
  last_serial =
      dates::Serial(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
  last_second = t;
  return last_serial;
}

}  // namespace kw
