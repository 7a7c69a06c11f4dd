// The moments of a made region's work.
#include "app/region/region_clock.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>

namespace trf::region {

namespace {

// 30 December 1899, the date serials' day 0, in days since 1970.
constexpr int64_t kSerialEpochDays = -25569;
constexpr int64_t kDay = 86400;

}  // namespace

int64_t RegionClock::At(int year, int month, int day, int hour) {
  const std::chrono::sys_days date =
      std::chrono::year_month_day{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                                  std::chrono::day{static_cast<unsigned>(day)}};
  return date.time_since_epoch().count() * kDay + int64_t{hour} * 3600;
}

void RegionClock::Phase(int64_t start, int64_t seconds, int64_t entries) {
  now_ = std::max(now_, static_cast<double>(start));
  step_ = static_cast<double>(seconds) / static_cast<double>(std::max<int64_t>(entries, 1));
}

void RegionClock::Tick() { now_ += step_; }

std::string RegionClock::Text() const {
  const auto seconds = static_cast<std::time_t>(now_);
  std::tm parts{};
  gmtime_r(&seconds, &parts);
  char text[80];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", parts.tm_year + 1900, parts.tm_mon + 1,
                parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec);
  return text;
}

double RegionClock::Serial() const {
  return static_cast<double>(static_cast<int64_t>(now_)) / kDay - static_cast<double>(kSerialEpochDays);
}

}  // namespace trf::region
