// Reading the region's grid in one request and laying it out as homes by months.
#include "app/business/region_grid.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <map>

#include "app/business/csv_line.h"
#include "app/data/stored_values.h"
#include "ui_shared/platform/dates.h"

namespace trf {

namespace {

// The months a grid spans when the range leaves them open: those the rows span, the last 24 at most.
constexpr int kDefaultMonths = 24;

std::optional<bool> FlagOf(const kw::Variant& value) {
  if (value.IsNull()) return std::nullopt;
  return value.ToBoolean();
}
std::string YesNo(const std::optional<bool>& flag) { return flag ? (*flag ? "yes" : "no") : ""; }

// One row of the server's grid: a month record, or the filings of a home month imported from files.
struct GridRow {
  int64_t home = 0;
  YearMonth month;
  GridCell cell;
  int32_t status = 0;
};

std::vector<GridRow> ReadRows(Database& database, const GridRange& range) {
  auto query = database.Prepare(
      "SELECT home, month, month_id, status, filings, filed_by, filed_at, digest_holds, chain_holds, "
      "open_questions, imported FROM trf_region_grid(?, ?)");
  query->Bind(1, range.from ? kw::Variant::Double(range.from->Serial()) : kw::Variant::Null());
  query->Bind(2, range.to ? kw::Variant::Double(range.to->Next().Serial() - 1.0 / 86400.0) : kw::Variant::Null());
  std::vector<GridRow> rows;
  while (query->Step()) {
    GridRow& row = rows.emplace_back();
    row.home = KeyOf(query->Column(0));
    row.month = YearMonthOf(query->Column(1).ToDouble());
    GridCell& cell = row.cell;
    cell.month_id = query->Column(2).IsNull() ? 0 : KeyOf(query->Column(2));
    row.status = query->Column(3).ToLong();
    cell.filings = query->Column(4).ToLong();
    cell.filed_by = TextOf(query->Column(5));
    cell.filed_at = TextOf(query->Column(6));
    cell.digest_holds = FlagOf(query->Column(7));
    cell.chain_holds = FlagOf(query->Column(8));
    cell.open_questions = query->Column(9).ToLong();
    cell.imported = query->Column(10).ToBoolean();
    cell.state = StateOf(row.status, cell.filings, cell.InForce(), cell.open_questions);
  }
  return rows;
}

std::vector<GridHome> ReadHomes(Database& database, const std::string& region) {
  auto query = database.Prepare(std::string("SELECT H_HomesID, H_HomeNum, H_HomeName, H_RegionCD FROM tbH_Homes") +
                                (region.empty() ? "" : " WHERE H_RegionCD = ?") + " ORDER BY H_HomeNum");
  if (!region.empty()) query->Bind(1, kw::Variant::Text(region));
  std::vector<GridHome> homes;
  while (query->Step()) {
    homes.push_back(
        {KeyOf(query->Column(0)), TextOf(query->Column(1)), TextOf(query->Column(2)), TextOf(query->Column(3))});
  }
  return homes;
}

// The months from `from` to `to`, both included.
std::vector<YearMonth> MonthsBetween(YearMonth from, const YearMonth& to) {
  std::vector<YearMonth> months;
  for (; from <= to; from = from.Next()) months.push_back(from);
  return months;
}

// The range's months: as given, or those the rows span (the last 24 of them at most).
std::vector<YearMonth> GridMonths(const GridRange& range, const std::vector<GridRow>& rows) {
  if (range.from && range.to) return MonthsBetween(*range.from, *range.to);
  if (rows.empty()) return range.from ? std::vector<YearMonth>{*range.from} : std::vector<YearMonth>{};
  const auto [low, high] = std::ranges::minmax_element(rows, {}, &GridRow::month);
  YearMonth to = range.to.value_or(high->month);
  YearMonth from = range.from.value_or(low->month);
  if (!range.from) {
    const int earliest = to.year * 12 + to.month - kDefaultMonths;  // months since year 0, counted from 0
    from = std::max(from, YearMonth{earliest / 12, earliest % 12 + 1});
  }
  return MonthsBetween(from, std::max(from, to));
}

}  // namespace

std::string YearMonth::Text() const {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d", year, month);
  return text;
}

double YearMonth::Serial() const { return kw::dates::Serial(year, month, 1); }

std::optional<YearMonth> ReadYearMonth(const std::string& text) {
  YearMonth read;
  if (text.size() != 7 || text[4] != '-') return std::nullopt;
  const auto number = [&](size_t from, size_t length, int& value) {
    const char* first = text.data() + from;
    const auto [end, error] = std::from_chars(first, first + length, value);
    return error == std::errc() && end == first + length;
  };
  if (!number(0, 4, read.year) || !number(5, 2, read.month) || read.year < 100 || read.month < 1 || read.month > 12)
    return std::nullopt;
  return read;
}

YearMonth YearMonthOf(double serial) {
  const kw::dates::Civil civil = kw::dates::CivilOf(serial);
  return {civil.year, civil.month};
}

std::string MonthStateText(MonthState state) {
  switch (state) {
    case MonthState::kNotStarted: return "not started";
    case MonthState::kActive: return "active";
    case MonthState::kClosed: return "closed";
    case MonthState::kFiled: return "filed";
    case MonthState::kReopened: return "reopened";
    case MonthState::kFiledAgain: return "filed again";
    case MonthState::kQuestioned: return "questioned";
  }
  return "not started";
}

MonthState StateOf(int32_t status, int filings, bool in_force, int open_questions) {
  if (in_force) {
    if (open_questions > 0) return MonthState::kQuestioned;
    return filings > 1 ? MonthState::kFiledAgain : MonthState::kFiled;
  }
  if (filings > 0) return MonthState::kReopened;
  if (status == 1) return MonthState::kActive;
  return status == 2 ? MonthState::kClosed : MonthState::kNotStarted;
}

const GridHome* RegionGrid::HomeNumbered(const std::string& number) const {
  const auto found = std::ranges::find(homes, number, &GridHome::number);
  return found == homes.end() ? nullptr : &*found;
}

const GridCell* RegionGrid::CellOf(const std::string& number, const YearMonth& month) const {
  const auto home = std::ranges::find(homes, number, &GridHome::number);
  const auto column = std::ranges::find(months, month);
  if (home == homes.end() || column == months.end()) return nullptr;
  return &cells[static_cast<size_t>(home - homes.begin())][static_cast<size_t>(column - months.begin())];
}

RegionGrid ReadRegionGrid(Database& database, const GridRange& range) {
  if (range.from && range.to && *range.to < *range.from) {
    RaiseDataError(kDatabaseError, "The months run from " + range.from->Text() + " to " + range.to->Text() +
                                       ": the first comes after the last; give them the other way round.");
  }
  const std::vector<GridRow> rows = ReadRows(database, range);
  RegionGrid grid;
  grid.homes = ReadHomes(database, range.region);
  grid.months = GridMonths(range, rows);
  grid.cells.assign(grid.homes.size(), std::vector<GridCell>(grid.months.size()));
  std::map<int64_t, size_t> home_row;
  for (size_t i = 0; i < grid.homes.size(); ++i) home_row[grid.homes[i].key] = i;
  if (grid.months.empty()) return grid;
  const YearMonth first = grid.months.front();
  for (const GridRow& row : rows) {
    const auto home = home_row.find(row.home);
    if (home == home_row.end() || row.month < first || row.month > grid.months.back()) continue;
    const auto column = static_cast<size_t>((row.month.year - first.year) * 12 + row.month.month - first.month);
    GridCell& cell = grid.cells[home->second][column];
    // A filing in force on the server counts first; one imported from a file fills a month the
    // server has no filing in force for.
    const bool keep = row.cell.imported ? cell.InForce() : cell.imported && cell.InForce() && !row.cell.InForce();
    if (!keep) cell = row.cell;
  }
  return grid;
}

std::string RegionGridCsv(const RegionGrid& grid) {
  std::string out;
  AppendCsvLine({"home", "home_name", "region", "month", "state", "filings", "filed_by", "filed_at", "digest_verifies",
                 "chain_verifies", "imported", "open_questions"},
                out);
  for (size_t h = 0; h < grid.homes.size(); ++h) {
    const GridHome& home = grid.homes[h];
    for (size_t m = 0; m < grid.months.size(); ++m) {
      const GridCell& cell = grid.cells[h][m];
      AppendCsvLine({home.number, home.name, home.region, grid.months[m].Text(), MonthStateText(cell.state),
                     std::to_string(cell.filings), cell.filed_by, cell.filed_at, YesNo(cell.digest_holds),
                     YesNo(cell.chain_holds), cell.imported ? "yes" : "no", std::to_string(cell.open_questions)},
                    out);
    }
  }
  return out;
}

}  // namespace trf
