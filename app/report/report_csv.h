// The month's report as CSV: one file per table, UTF-8, a header row of the columns' captions, the
// fields quoted as RFC 4180 has it (a field holding a comma, a quote or a line break is quoted, a
// quote doubled), each line ending in CR LF.
#pragma once

#include <string>
#include <vector>

#include "app/screens/month_report.h"

namespace trf {

// One table as CSV text.
std::string TableCsv(const ReportTable& table);
// Writes each table of the report to `<folder>/<table name>.csv` (`<table name>.draft.csv` for a draft,
// a report of a month not filed), creating the folder when it is missing; the files written, in the
// tables' order. A ScreenRefusal when a file cannot be written.
std::vector<std::string> WriteMonthReportCsv(const MonthReport& report, const std::string& folder);

}  // namespace trf
