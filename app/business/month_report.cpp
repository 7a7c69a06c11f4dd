// The month report's texts that every writer shares, and whether a problem list passes.
#include "app/business/month_report.h"

#include <algorithm>
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

}  // namespace trf
