// The month's report as JSON, for programs that read it: the shape docs/month-report.schema.json
// describes (the home, the month as "2004-03", each table's columns and rows of texts, the notes'
// paragraphs and runs, the accepted questions, what stands in the way, who made it and when).
#pragma once

#include <string>

#include "app/screens/month_report.h"

namespace trf {

// The report as one JSON document in UTF-8, ending with a line break.
std::string MonthReportJson(const MonthReport& report);
// Writes MonthReportJson to the file `path`; a ScreenRefusal when the file cannot be written.
void WriteMonthReportJson(const MonthReport& report, const std::string& path);

}  // namespace trf
