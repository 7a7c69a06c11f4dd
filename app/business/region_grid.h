// RegionGrid: the region's homes by months, as a reviewer (or a desk, or the administrator) sees them
// on a server: each home month's state in words (not started, active, closed, filed, reopened, filed
// again, questioned), how often it was filed, the filing in force with who filed it and when, whether
// that filing still verifies (its report against its digest, and the digest of the change record it
// recorded against the home's chain), and its open questions. Months a home filed on a file of its own
// and the region imported count as filed. Read in one request (the server's trf_region_grid), which
// tells nothing of a month but its state.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/data/database.h"

namespace trf {

// A month of the calendar: 2004-03.
struct YearMonth {
  int year = 0;
  int month = 0;  // 1 to 12

  auto operator<=>(const YearMonth&) const = default;  // NOLINT(modernize-use-nullptr): tidy reads 0 into it
  // The month after this one.
  YearMonth Next() const { return month == 12 ? YearMonth{year + 1, 1} : YearMonth{year, month + 1}; }
  // "2004-03".
  std::string Text() const;
  // The date serial of its first day, as month records store the month.
  double Serial() const;
};

// "2004-03" as a month; nothing for any other text.
std::optional<YearMonth> ReadYearMonth(const std::string& text);
// The month of a date serial.
YearMonth YearMonthOf(double serial);

// How a home month stands, for the region.
enum class MonthState : uint8_t { kNotStarted, kActive, kClosed, kFiled, kReopened, kFiledAgain, kQuestioned };

// The state in words: "not started", "active", "closed" (closed without a filing on record), "filed",
// "reopened", "filed again", "questioned" (filed, with a question of the region open).
std::string MonthStateText(MonthState state);

// The state of a home month from what the grid reads: its stored status (0 not started, 1 active, 2
// closed), how often it was filed, whether a filing is in force, and its open questions.
MonthState StateOf(int32_t status, int filings, bool in_force, int open_questions);

// One home month of the grid.
struct GridCell {
  MonthState state = MonthState::kNotStarted;
  int64_t month_id = 0;            // the month record; 0 when there is none (not started, or imported)
  int filings = 0;                 // how often the month was filed (or imported)
  bool imported = false;           // the filing in force came from a file the home sent
  std::string filed_by, filed_at;  // of the filing in force; empty when none
  // Whether the filing in force still verifies: its report against its digest, and the digest of the
  // change record it recorded against the home's chain (nothing for an imported filing, whose chain
  // is on the home's own file). Nothing while no filing is in force.
  std::optional<bool> digest_holds, chain_holds;
  int open_questions = 0;

  bool InForce() const { return !filed_by.empty(); }
  // A filing is in force and nothing found does not fit.
  bool Verifies() const { return InForce() && digest_holds.value_or(true) && chain_holds.value_or(true); }
};

// A home of the grid.
struct GridHome {
  int64_t key = 0;
  std::string number;  // "H-101"
  std::string name;    // "Maple House"
  std::string region;  // "N"
};

// What a grid shows: the homes of one region (all the connection may read when empty), from one month
// to another (both given, or the months the homes' records span, the last 24 at most).
struct GridRange {
  std::string region;
  std::optional<YearMonth> from, to;
};

struct RegionGrid {
  std::vector<GridHome> homes;
  std::vector<YearMonth> months;
  std::vector<std::vector<GridCell>> cells;  // cells[home][month]

  const GridCell& Cell(size_t home, size_t month) const { return cells[home][month]; }
  // The home numbered `number`; nullptr when the grid has none.
  const GridHome* HomeNumbered(const std::string& number) const;
  // The cell of home `number` in `month`; nullptr when the grid has no such home or month.
  const GridCell* CellOf(const std::string& number, const YearMonth& month) const;
};

// The grid of `range` as the connection may read it. A sentence when the range is backwards.
RegionGrid ReadRegionGrid(Database& database, const GridRange& range);

// The grid as CSV (UTF-8, RFC 4180, CR LF): a header, then a line per home month with its home,
// month, state, filings, who filed it and when, whether its digest and chain verify ("yes", "no",
// "" when there is nothing to check), whether it was imported, and its open questions.
std::string RegionGridCsv(const RegionGrid& grid);

}  // namespace trf
