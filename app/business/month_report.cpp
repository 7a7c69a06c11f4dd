// The month report's texts that every writer shares, and whether a problem list passes.
#include "app/business/month_report.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "ui_shared/platform/dates.h"

namespace trf {

std::string MonthStatusText(int32_t status) {
  switch (status) {
    case kMonthNotStarted: return "not started";
    case kMonthActive: return "active";
    case kMonthClosed: return "closed";
    default: return "status " + std::to_string(status);
  }
}

bool Passes(const std::vector<Problem>& problems) {
  return std::ranges::none_of(problems, [](const Problem& problem) { return problem.StandsInTheWay(); });
}

std::string MonthYearText(int year, int month) {
  static const std::array<const char*, 12> kMonths = {"January",   "February", "March",    "April",
                                                      "May",       "June",     "July",     "August",
                                                      "September", "October",  "November", "December"};
  const bool known = month >= 1 && month <= 12;
  return (known ? std::string(kMonths[static_cast<size_t>(month - 1)]) : "Month " + std::to_string(month)) + " " +
         std::to_string(year);
}

std::string ReportMonthText(const MonthReport& report) { return MonthYearText(report.year, report.month); }

std::string IsoMomentText(double serial) {
  const kw::dates::Civil day = kw::dates::CivilOf(serial);
  const int seconds = kw::dates::SecondsOfDay(serial);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", day.year, day.month, day.day, seconds / 3600,
                seconds / 60 % 60, seconds % 60);
  return text;
}

std::string IsoDateText(double serial) { return IsoMomentText(serial).substr(0, 10); }

std::string StampText(const std::string& utc) {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
  if (std::sscanf(utc.c_str(), "%4d-%2d-%2d %2d:%2d:%2d", &year, &month, &day, &hour, &minute, &second) != 6 ||
      month < 1 || month > 12) {
    return utc;
  }
  const std::string month_year = MonthYearText(year, month);
  char time[8];
  std::snprintf(time, sizeof time, "%02d:%02d", hour, minute);
  return month_year.substr(0, month_year.find(' ')) + " " + std::to_string(day) + ", " + std::to_string(year) + ", " +
         time + " UTC";
}

}  // namespace trf
