// The report a made month is filed with: the month's report as its desk would have filed it (the
// home, the month, the residents, the home's family groups, the expenses, the notes and the
// questions a person accepted), written by the report's own JSON writer.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "app/business/month_report.h"
#include "app/region/region_row.h"

namespace trf::region {

// A made month at its filing.
struct FiledMonth {
  std::string home_number;
  std::string home_name;
  std::string trf_type;  // the TRF type's description
  int year = 0;
  int month = 0;
  const std::vector<Row>& residents;
  const std::vector<Row>& groups;  // the home's family groups
  const std::vector<Row>& expenses;
  const std::map<int64_t, std::string>& categories;  // the expense categories' names by key
  const std::vector<std::string>& notes;             // the notes' paragraphs
  const std::vector<AcceptedQuestion>& accepted;
  std::string filed_by;
  double filed_at = 0;  // a date serial
};

// The month's report as JSON (MonthReportJson).
std::string FiledReportJson(const FiledMonth& month);

}  // namespace trf::region
