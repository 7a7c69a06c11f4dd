// Gathering the month's report from the screens through their host.
#include "app/screens/month_report.h"

#include "app/screens/screen_host.h"

namespace trf {

bool MonthPasses(ScreenHost& host) { return Passes(host.Problems()); }

MonthReport CurrentMonthReport(ScreenHost& host, const std::string& made_by) {
  const std::string month_id = host.Container().CurrentH_HomeMonthlyStatsID();
  if (month_id.empty()) throw ScreenRefusal("choose a month first: the report is of the current month");
  try {
    return host.Months().Report(std::stoll(month_id), host, made_by);
  } catch (const kw::Error&) {
    throw CurrentRefusal();
  }
}

}  // namespace trf
