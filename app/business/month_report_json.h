// The month's report as JSON, the shape docs/month-report.schema.json describes: what `trf-report`
// writes for programs, what a filing stores, and what a filed month's report is read back from. Each
// cell carries the text a person reads and the value it stands for (a number, an ISO date, a text);
// a draft says so, and a filed month's report carries the facts of its filing.
#pragma once

#include <string>
#include <string_view>

#include "app/business/month_report.h"

namespace trf {

// The name of the shape the JSON follows, written into each document.
inline constexpr const char* kMonthReportSchema = "trf-month-report/2";

// The report as one JSON document in UTF-8, ending with a line break.
std::string MonthReportJson(const MonthReport& report);

// The report a JSON document of MonthReportJson holds; a JsonError (json_value.h) saying what is
// wrong when the document is not of that shape.
MonthReport MonthReportFromJson(std::string_view text);

}  // namespace trf
