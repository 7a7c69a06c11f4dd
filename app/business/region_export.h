// One month of the region as one file: every home of the region (or every home the reviewer reviews)
// with the month's state, its open questions and, for a filed month, the facts of its filing, whether
// it verifies and its report as it was filed; as JSON of the shape docs/region-month.schema.json
// publishes (checked against it before it is written), and as CSV, one file per table.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "app/business/region_filings.h"
#include "app/business/region_grid.h"

namespace trf {

// The name of the shape the JSON follows, written into each document.
inline constexpr const char* kRegionMonthSchema = "trf-region-month/1";

struct RegionMonth {
  YearMonth month;
  std::string region;  // "" for every home the reviewer reviews
  std::string made_by;
  double made_at = 0;  // a date serial, from the platform's clock
  RegionGrid grid;     // of this month alone
  std::vector<RegionFiling> filings;
};

// The region's `month` as the connection may read it, made by `made_by` now.
RegionMonth ReadRegionMonth(Database& database, const YearMonth& month, const std::string& region,
                            const std::string& made_by);

// The month as one JSON document (UTF-8, ending with a line break). Raises when the document does not
// follow its published schema, which would be a fault of this program.
std::string RegionMonthJson(const RegionMonth& month);

// The month as CSV files by name: "homes.csv" (a line per home: state, filing and whether it
// verifies), then one per table of the filed reports ("residents.csv", ...), each line led by its
// home's number.
std::map<std::string, std::string> RegionMonthCsv(const RegionMonth& month);

}  // namespace trf
