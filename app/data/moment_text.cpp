// Months and moments in the words every part of the TRF shows them in.
#include "app/data/moment_text.h"

#include <array>
#include <cstdio>

#include "ui_shared/platform/dates.h"

namespace trf {

namespace {

// "March 31, 2004, 10:00".
std::string DayAndTime(int year, int month, int day, int hour, int minute) {
  const std::string month_year = MonthYearText(year, month);
  char time[8];
  std::snprintf(time, sizeof time, "%02d:%02d", hour % 100, minute % 100);
  return month_year.substr(0, month_year.rfind(' ')) + " " + std::to_string(day) + ", " + std::to_string(year) + ", " +
         time;
}

}  // namespace

std::string MonthYearText(int year, int month) {
  static const std::array<const char*, 12> kMonths = {"January",   "February", "March",    "April",
                                                      "May",       "June",     "July",     "August",
                                                      "September", "October",  "November", "December"};
  const bool known = month >= 1 && month <= 12;
  return (known ? std::string(kMonths[static_cast<size_t>(month - 1)]) : "Month " + std::to_string(month)) + " " +
         std::to_string(year);
}

std::string MonthOfSerialText(double serial) {
  const kw::dates::Civil day = kw::dates::CivilOf(serial);
  return MonthYearText(day.year, day.month);
}

std::string StampText(const std::string& utc) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  if (std::sscanf(utc.c_str(), "%4d-%2d-%2d %2d:%2d:%2d", &year, &month, &day, &hour, &minute, &second) != 6 ||
      month < 1 || month > 12) {
    return utc;
  }
  return DayAndTime(year, month, day, hour, minute) + " UTC";
}

std::string MomentText(double serial) {
  const kw::dates::Civil day = kw::dates::CivilOf(serial);
  const int seconds = kw::dates::SecondsOfDay(serial);
  return DayAndTime(day.year, day.month, day.day, seconds / 3600, seconds / 60 % 60);
}

}  // namespace trf
