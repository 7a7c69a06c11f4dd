// The filed months the region reads: each is the report as it was stored at filing (the text its
// digest is taken over) with the facts of its filing, whether filed on the server or imported from a
// home that works on a file. A reviewer reads them through its rights alone (trust_region.cpp).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/business/month_report.h"
#include "app/business/region_grid.h"
#include "app/data/month_filing.h"

namespace trf {

struct RegionFiling {
  std::string home_number;
  YearMonth month;
  Filing filing;          // who filed it and when, the stored report, its digests
  bool imported = false;  // sent by a home on a file of its own
  bool reopened = false;  // reopened since (the latest filing of a reopened month)

  // The stored report hashes to its digest.
  bool DigestHolds() const;
  // The report, read from the stored text, marked filed, with the facts of its filing; a sentence
  // when the stored text is not a month's report.
  MonthReport Report() const;
};

// The filing of each cell of `grid` that has one in force, for the homes numbered `numbers` (every
// home of the grid when empty), home by home and month by month.
std::vector<RegionFiling> ReadRegionFilings(Database& database, const RegionGrid& grid,
                                            const std::vector<std::string>& numbers = {});

// The filing behind one cell of a grid: the one in force or imported, or for a reopened month the
// latest one (marked reopened); nothing while the month was never filed.
std::optional<RegionFiling> ReadCellFiling(Database& database, const GridHome& home, const YearMonth& month,
                                           const GridCell& cell);

}  // namespace trf
