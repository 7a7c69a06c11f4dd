// Gathering the month's report (see app/business/month_report.h) from the screens through their host,
// so that it shows what the screens show.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/business/month_report.h"

namespace trf {

class ScreenHost;

// Whether the month the host is on passes: its problem list (ScreenHost::Problems) lets it be
// filed. A ScreenRefusal when the stored data refused a step of the check.
bool MonthPasses(ScreenHost& host);

// The report of the month the host's screens are on: as it was filed when the month is filed (see
// MonthService::Report), otherwise made by `made_by` at the clock's time from what the screens hold
// (leave the current screen first, ScreenHost::LeaveCurrent, so that it shows what is stored). A
// ScreenRefusal when no month is current or the stored data refused a step.
MonthReport CurrentMonthReport(ScreenHost& host, const std::string& made_by);

}  // namespace trf
