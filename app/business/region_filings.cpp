// Reading the filed months of the region's grid: the server's filings by their month records, the
// imported ones by home and month.
#include "app/business/region_filings.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "app/business/json_value.h"
#include "app/business/month_report_json.h"
#include "app/data/sha256.h"
#include "app/data/stored_values.h"

namespace trf {

namespace {

// The filing columns every reading below asks for, in this order.
constexpr const char* kFilingColumns = "H_FiledBy, H_FiledAt, H_Report, H_ReportDigest, H_ChainDigest";

Filing FilingOfRow(const Statement& query, int first) {
  return Filing{TextOf(query.Column(first)), TextOf(query.Column(first + 1)), TextOf(query.Column(first + 2)),
                TextOf(query.Column(first + 3)), TextOf(query.Column(first + 4))};
}

// `keys` as a server's array of whole numbers: "{3,4,7}".
std::string KeyArray(const std::vector<int64_t>& keys) {
  std::string text = "{";
  for (const int64_t key : keys) text += (text.size() > 1 ? "," : "") + std::to_string(key);
  return text + "}";
}

// The latest import of `home` in `month`.
std::optional<RegionFiling> ReadImport(Database& database, const GridHome& home, const YearMonth& month) {
  auto query =
      database.Prepare(std::string("SELECT ") + kFilingColumns +
                       " FROM tbR_ImportedFilings WHERE H_HomesID = ? AND H_StatMonth >= ? AND H_StatMonth < ? "
                       "ORDER BY H_FiledAt DESC, R_ImportedFilingsID DESC");
  query->Bind(1, kw::Variant::Double(static_cast<double>(home.key)))
      .Bind(2, kw::Variant::Double(month.Serial()))
      .Bind(3, kw::Variant::Double(month.Next().Serial()));
  if (!query->Step()) return std::nullopt;
  return RegionFiling{home.number, month, FilingOfRow(*query, 0), true, false};
}

}  // namespace

bool RegionFiling::DigestHolds() const { return Sha256Hex(filing.report) == filing.report_digest; }

MonthReport RegionFiling::Report() const {
  MonthReport report;
  try {
    report = MonthReportFromJson(filing.report);
  } catch (const JsonError& error) {
    RaiseDataError(kDatabaseError, "The report filed for " + month.Text() + " of " + home_number +
                                       " cannot be read: " + error.sentence);
  }
  report.filed = true;
  report.filing = FilingFacts{filing.filed_by, filing.filed_at, filing.report_digest, filing.chain_digest};
  return report;
}

std::vector<RegionFiling> ReadRegionFilings(Database& database, const RegionGrid& grid,
                                            const std::vector<std::string>& numbers) {
  std::map<int64_t, std::pair<size_t, size_t>> by_month;  // month record -> home, month of the grid
  std::vector<std::pair<size_t, size_t>> imported;
  for (size_t h = 0; h < grid.homes.size(); ++h) {
    if (!numbers.empty() && std::find(numbers.begin(), numbers.end(), grid.homes[h].number) == numbers.end()) continue;
    for (size_t m = 0; m < grid.months.size(); ++m) {
      const GridCell& cell = grid.Cell(h, m);
      if (!cell.InForce()) continue;
      if (cell.imported)
        imported.emplace_back(h, m);
      else
        by_month[cell.month_id] = {h, m};
    }
  }
  std::vector<RegionFiling> filings;
  if (!by_month.empty()) {
    std::vector<int64_t> keys;
    keys.reserve(by_month.size());
    for (const auto& [key, place] : by_month) keys.push_back(key);
    auto query = database.Prepare(std::string("SELECT H_HomeMonthlyStatsID, ") + kFilingColumns +
                                  " FROM tbH_MonthFilings WHERE H_ReopenedAt IS NULL AND "
                                  "H_HomeMonthlyStatsID = ANY (CAST(? AS integer[]))");
    query->Bind(1, kw::Variant::Text(KeyArray(keys)));
    while (query->Step()) {
      const auto place = by_month.find(static_cast<int64_t>(query->Column(0).ToDouble()));
      if (place == by_month.end()) continue;
      const auto [h, m] = place->second;
      filings.push_back({grid.homes[h].number, grid.months[m], FilingOfRow(*query, 1), false, false});
    }
  }
  for (const auto& [h, m] : imported) {
    if (std::optional<RegionFiling> import = ReadImport(database, grid.homes[h], grid.months[m]))
      filings.push_back(std::move(*import));
  }
  std::sort(filings.begin(), filings.end(), [](const RegionFiling& a, const RegionFiling& b) {
    return std::tie(a.home_number, a.month) < std::tie(b.home_number, b.month);
  });
  return filings;
}

std::optional<RegionFiling> ReadCellFiling(Database& database, const GridHome& home, const YearMonth& month,
                                           const GridCell& cell) {
  if (cell.imported) return ReadImport(database, home, month);
  if (cell.month_id == 0 || cell.filings == 0) return std::nullopt;
  auto query = database.Prepare(std::string("SELECT H_ReopenedAt, ") + kFilingColumns +
                                " FROM tbH_MonthFilings WHERE H_HomeMonthlyStatsID = ? "
                                "ORDER BY H_ReopenedAt IS NULL DESC, H_MonthFilingsID DESC");
  query->Bind(1, kw::Variant::Double(static_cast<double>(cell.month_id)));
  if (!query->Step()) return std::nullopt;
  return RegionFiling{home.number, month, FilingOfRow(*query, 1), false, !query->Column(0).IsNull()};
}

}  // namespace trf
