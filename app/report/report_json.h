// The month's report as a JSON file, for programs that read it (see app/business/month_report_json.h).
#pragma once

#include <string>

#include "app/business/month_report_json.h"

namespace trf {

// Writes MonthReportJson to the file `path`; a ScreenRefusal when the file cannot be written.
void WriteMonthReportJson(const MonthReport& report, const std::string& path);

}  // namespace trf
